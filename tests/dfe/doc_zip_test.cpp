#include "dfe/doc_zip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include "dfe/error.h"
#include "sample/dfe/doc_zip_packing.h"
#include "sample/portal/base64.h"

namespace dfe {
namespace {

using ::testing::HasSubstr;

std::string Gzip(const std::string& bytes) {
    std::string packed(compressBound(static_cast<uLong>(bytes.size())) + 64, '\0');
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

TEST(UnpackDocZip, GivesBackTheBytesExactlyAsPacked) {
    // Bytes that an XML reader would change: a BOM, CR LF, Latin-1 and a NUL.
    const std::string document =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<a>\xE7\xE3o\0</a>\r\n" + std::string(5000, 'x');
    EXPECT_EQ(UnpackDocZip(sample::PackDocZip(document)), document);

    // Base64 broken into lines, as some services send it.
    std::string lines = sample::PackDocZip(document);
    for (std::size_t at = 76; at < lines.size(); at += 78) {
        lines.insert(at, "\r\n");
    }
    EXPECT_EQ(UnpackDocZip(" " + lines + "\n"), document);

    // Two gzip members one after the other make one file.
    EXPECT_EQ(UnpackDocZip(sample::EncodeBase64(Gzip("<a>") + Gzip("</a>"))), "<a></a>");
}

TEST(UnpackDocZip, RefusesBrokenBase64AndBrokenGzip) {
    std::string corrupted = Gzip("<a>conteúdo</a>");
    corrupted[corrupted.size() - 6] ^= 0x55;  // the CRC no longer matches
    struct Case {
        std::string base64;
        std::string message;
    };
    const Case cases[] = {
        {"", "vazio"},
        {"H4sI*", "Base64"},
        {"QQ=", "Base64"},
        {"Q===", "Base64"},
        {"QQ==QQ==", "Base64"},
        {"QUJD-", "Base64"},
        {sample::EncodeBase64("<a>not gzip</a>"), "danificado"},
        {sample::PackBrokenDocZip(std::string(3000, 'y') + "<a/>"), "cortado"},
        {sample::EncodeBase64(corrupted), "danificado"},
        {sample::EncodeBase64(Gzip("<a/>") + "lixo"), "danificado"},
    };
    for (const Case& c : cases) {
        try {
            UnpackDocZip(c.base64);
            ADD_FAILURE() << "accepted: " << c.base64;
        } catch (const AnswerError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.base64;
        }
    }
}

TEST(UnpackDocZip, StopsADocumentThatUnpacksBeyondTheLimit) {
    // Zeros pack a thousandfold: a small answer that would fill the memory.
    const std::string bomb = sample::EncodeBase64(Gzip(std::string(kMaxDocumentBytes + 1, '\0')));
    EXPECT_LT(bomb.size(), 200'000u);
    EXPECT_THROW(UnpackDocZip(bomb), AnswerError);
    EXPECT_EQ(UnpackDocZip(sample::EncodeBase64(Gzip(std::string(kMaxDocumentBytes, '\0')))).size(),
              kMaxDocumentBytes);
}

}  // namespace
}  // namespace dfe
