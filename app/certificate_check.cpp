#include "app/certificate_check.h"

#include "dfe/certificate.h"
#include "dfe/error.h"
#include "dfe/local_time.h"

namespace app {

CertificateCheck CheckCertificate(const std::filesystem::path& file, const dfe::Secret& password,
                                  dfe::Time now) {
    try {
        const auto certificate = dfe::CompanyCertificate::ReadFile(file, password);
        const auto& party = certificate.party();
        certificate.CheckValidAt(now);
        const auto& info = certificate.info();
        return {true, info.holder + " — " + std::string(party.ElementName()) + " " +
                          party.Formatted() + " — válido até " +
                          dfe::LocalDateText(info.validUntil)};
    } catch (const dfe::CertificateError& error) {
        return {false, std::string("O certificado não pode ser usado: ") + error.what()};
    }
}

bool OpensCertificate(const std::filesystem::path& file, const dfe::Secret& password) {
    try {
        dfe::CompanyCertificate::ReadFile(file, password);
    } catch (const dfe::WrongPasswordError&) {
        return false;
    } catch (const dfe::Error&) {
    }
    return true;
}

}  // namespace app
