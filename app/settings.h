#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace app {

// "cfg.dclrc" beside the executable: section "VELLORA" with the five yes/no options, each 0
// ("Sim") or 1 ("Não"), stored scrambled.
inline constexpr std::string_view kSettingsFile = "cfg.dclrc";
inline constexpr std::string_view kSettingsSection = "VELLORA";

struct Options {
    int fcon = 0;  // "Fechar ao Concluir": close after a certificate download
    int ccer = 0;  // "Com Cert.": offer "Download (*)"
    int scer = 0;  // "Sem Cert.": offer "Download"
    int idan = 0;  // "Imprimir Danfe": enable the hidden "Gerar Danfe"
    int echa = 0;  // "Editar Chave": the key box may be edited
};

// The options read as what they mean: each is stored inverted, 0 for "Sim".
inline bool ClosesWhenDone(const Options& options) {
    return options.fcon == 0;
}
inline bool WithCertificateDownload(const Options& options) {
    return options.ccer == 0;
}
inline bool WithDownloadWithoutCertificate(const Options& options) {
    return options.scer == 0;
}
inline bool WithDanfe(const Options& options) {
    return options.idan == 0;
}
inline bool KeyEditable(const Options& options) {
    return options.echa == 0;
}
// Only 1 locks the key box; any other value that is not 0 leaves it as it was.
inline bool KeyLocked(const Options& options) {
    return options.echa == 1;
}

// A value that is missing or does not decode to a decimal integer.
class IntegerConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The strict decimal conversion: an optional sign and digits, nothing else, within int range.
int StrictInteger(std::string_view text);

int ReadOption(const std::filesystem::path& file, std::string_view key);

// Reads fcon, ccer, scer, idan, echa in this order straight into `into`, so that on an
// IntegerConversionError the keys read before the bad one keep their new values.
void ReadOptions(const std::filesystem::path& file, Options& into);

// Writes the five keys in the same order, then the certificate's path when one is given,
// replacing the file in one step; throws std::runtime_error when the file cannot be written.
void WriteOptions(const std::filesystem::path& file, const Options& options,
                  const std::optional<std::string>& certificate = std::nullopt);

// The company's certificate, an A1's file (.pfx) or an A3's PKCS#11 address ("pkcs11:…"), is
// kept after the five options, under a key of its own and scrambled like them, so that older
// files, which lack it, read as before. Its password or PIN is never kept here.
inline constexpr std::string_view kCertificateKey = "cert";

// The certificate's path or address, UTF-8; empty when none is configured.
std::string ReadCertificatePath(const std::filesystem::path& file);

}  // namespace app
