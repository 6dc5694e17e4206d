#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/access_code.h"
#include "app/profile_file.h"
#include "app/scrambling.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

using test_support::ReadFile;
using test_support::TemporaryDirectory;
using test_support::WriteFile;

TEST(Scrambling, StoredFormsOfTheOptionValues) {
    EXPECT_EQ(StoredForm("0"), "0C");
    EXPECT_EQ(StoredForm("1"), "GC");
    EXPECT_EQ(ValueOfStoredForm("0C"), "0");
    EXPECT_EQ(ValueOfStoredForm("GC"), "1");
    EXPECT_EQ(CodificarValor("-1"), "BJ4");  // 3 characters for 2 bytes, no fill
}

TEST(Scrambling, RoundTripsEveryByte) {
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        bytes += static_cast<char>(c);
    }
    for (std::size_t length : {0u, 1u, 2u, 3u, 4u, 256u}) {
        const auto text = bytes.substr(256 - length);
        EXPECT_EQ(DecodificarValor(CodificarValor(text)), text) << length;
    }
}

TEST(Scrambling, DecodingStopsAtAForeignCharacter) {
    EXPECT_EQ(DecodificarValor("C0#GC"), "0");
    EXPECT_EQ(DecodificarValor("c0"), "\x98");  // letter case matters
    EXPECT_EQ(DecodificarValor("#C0"), "");
}

TEST(ProfileFile, MatchesNamesWithoutLetterCaseAndKeepsTheRest) {
    TemporaryDirectory dir;
    const auto file = dir / "cfg.dclrc";
    WriteFile(file,
              "; kept comment\r\n[Other]\r\nfcon=other\r\n\r\n[vellora]\r\nFCON = \"GC\" \r\n"
              "extra=1\r\n\r\n[Last]\r\nx=y\r\n");
    EXPECT_EQ(ReadProfileValue(file, "VELLORA", "fcon", "-"), "GC");
    EXPECT_EQ(ReadProfileValue(file, "VELLORA", "ccer", "-"), "-");
    EXPECT_EQ(ReadProfileValue(dir / "missing", "VELLORA", "fcon", "-"), "-");

    WriteProfileValues(file, "VELLORA", {{"fcon", "0C"}});
    WriteProfileValues(file, "Vellora", {{"ccer", "GC"}});
    WriteProfileValues(file, "New", {{"k", "v"}});
    EXPECT_EQ(ReadFile(file),
              "; kept comment\r\n[Other]\r\nfcon=other\r\n\r\n[vellora]\r\nfcon=0C\r\n"
              "extra=1\r\nccer=GC\r\n\r\n[Last]\r\nx=y\r\n[New]\r\nk=v\r\n");
}

TEST(ProfileFile, UnwritableFileThrows) {
    TemporaryDirectory dir;
    EXPECT_THROW(
        WriteProfileValues(dir / "no-such-folder" / "cfg.dclrc", "VELLORA", {{"fcon", "0C"}}),
        std::runtime_error);
}

TEST(Settings, NewFileHoldsTheFiveKeysInOrder) {
    TemporaryDirectory dir;
    WriteOptions(dir / "yes", Options{});
    EXPECT_EQ(ReadFile(dir / "yes"),
              "[VELLORA]\r\nfcon=0C\r\nccer=0C\r\nscer=0C\r\nidan=0C\r\necha=0C\r\n");
    WriteOptions(dir / "no", Options{1, 1, 1, 1, 1});
    EXPECT_EQ(ReadFile(dir / "no"),
              "[VELLORA]\r\nfcon=GC\r\nccer=GC\r\nscer=GC\r\nidan=GC\r\necha=GC\r\n");

    const Options mixed{1, 0, 1, 0, -1};
    WriteOptions(dir / "mixed", mixed);
    Options read{9, 9, 9, 9, 9};
    ReadOptions(dir / "mixed", read);
    EXPECT_EQ(read.fcon, 1);
    EXPECT_EQ(read.ccer, 0);
    EXPECT_EQ(read.scer, 1);
    EXPECT_EQ(read.idan, 0);
    EXPECT_EQ(read.echa, -1);
}

TEST(Settings, TheCertificateFollowsTheFiveOptionsScrambled) {
    TemporaryDirectory dir;
    const auto file = dir / "cfg.dclrc";
    WriteOptions(file, Options{1, 0, 1, 0, 1});
    EXPECT_EQ(ReadCertificatePath(file), "");

    const std::string path = "/home/ana/Certificados/Empresa Ação.pfx";
    WriteOptions(file, Options{1, 0, 1, 0, 1}, path);
    EXPECT_EQ(ReadFile(file),
              "[VELLORA]\r\nfcon=GC\r\nccer=0C\r\nscer=GC\r\nidan=0C\r\n"
              "echa=GC\r\ncert=" +
                  StoredForm(path) + "\r\n");
    EXPECT_EQ(ReadFile(file).find("Certificados"), std::string::npos);
    EXPECT_EQ(ReadCertificatePath(file), path);
    Options read;
    ReadOptions(file, read);
    EXPECT_EQ(read.echa, 1);

    // Saving without a certificate forgets it.
    WriteOptions(file, Options{}, std::string());
    EXPECT_EQ(ReadCertificatePath(file), "");
}

TEST(Settings, SavingReplacesTheWholeFileInOneStep) {
    // A second name for the file as it was: rewriting the file in place would change what
    // it shows, replacing the file leaves it alone. So a save broken off half-way can only
    // leave the old file or the new one, never a file with a key half-written.
    TemporaryDirectory dir;
    const std::string old = "[VELLORA]\r\nfcon=0C\r\nccer=0C\r\nscer=0C\r\nidan=0C\r\necha=0C\r\n";
    WriteFile(dir / "cfg.dclrc", old);
    std::filesystem::create_hard_link(dir / "cfg.dclrc", dir / "as-it-was");

    WriteOptions(dir / "cfg.dclrc", Options{1, 1, 1, 1, 1});
    EXPECT_EQ(ReadFile(dir / "cfg.dclrc"),
              "[VELLORA]\r\nfcon=GC\r\nccer=GC\r\nscer=GC\r\nidan=GC\r\necha=GC\r\n");
    EXPECT_EQ(ReadFile(dir / "as-it-was"), old);
    // No temporary file stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(Settings, ForeignCharactersEndTheValue) {
    TemporaryDirectory dir;
    // Read in reverse, "#0C" decodes "C0" and stops at "#"; blanks around a value are trimmed.
    WriteFile(dir / "cfg.dclrc", "[VELLORA]\nfcon=#0C\nccer=GC \n");
    EXPECT_EQ(ReadOption(dir / "cfg.dclrc", "fcon"), 0);
    EXPECT_EQ(ReadOption(dir / "cfg.dclrc", "ccer"), 1);
}

TEST(Settings, ABadKeyStopsTheReadingAndKeepsTheKeysBeforeIt) {
    TemporaryDirectory dir;
    WriteFile(dir / "cfg.dclrc", "[VELLORA]\nfcon=GC\nccer=GC\nscer=0C#\nidan=GC\necha=GC\n");
    Options read{9, 9, 9, 9, 9};
    EXPECT_THROW(ReadOptions(dir / "cfg.dclrc", read), IntegerConversionError);
    EXPECT_EQ(read.fcon, 1);
    EXPECT_EQ(read.ccer, 1);
    EXPECT_EQ(read.scer, 9);
    EXPECT_EQ(read.echa, 9);
    EXPECT_THROW(ReadOption(dir / "cfg.dclrc", "missing"), IntegerConversionError);
}

TEST(Settings, StrictDecimalConversion) {
    EXPECT_EQ(StrictInteger("0"), 0);
    EXPECT_EQ(StrictInteger("-1"), -1);
    EXPECT_EQ(StrictInteger("+12"), 12);
    EXPECT_EQ(StrictInteger("2147483647"), 2147483647);
    for (const char* bad : {"", "-", "+", " 1", "1 ", "1a", "0x1", "+-1", "2147483648"}) {
        EXPECT_THROW(StrictInteger(bad), IntegerConversionError) << '"' << bad << '"';
    }
    try {
        StrictInteger("x");
    } catch (const IntegerConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' não é um valor inteiro válido.");
    }
}

TEST(AccessCode, FollowsTheInstallersFormula) {
    EXPECT_EQ(AccessCode({2025, 12, 10}), "575503");  // 101225 * 3 + 271828
    EXPECT_EQ(AccessCode({2031, 1, 1}), "302221");    // 010131 * 3 + 271828
    EXPECT_EQ(AccessCode({2099, 12, 31}), "205725");  // 311299 * 3 + 271828 = 1205725
}

}  // namespace
}  // namespace app
