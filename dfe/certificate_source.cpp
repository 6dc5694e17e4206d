#include "dfe/certificate_source.h"

#include "dfe/pkcs11_module.h"
#include "dfe/pkcs11_uri.h"
#include "dfe/token_certificate.h"

namespace dfe {

std::filesystem::path Pkcs11ModuleOrDefault(const char* chosen) {
    return chosen != nullptr && *chosen != '\0' ? chosen : kDefaultPkcs11Module;
}

CompanyCertificate OpenCompanyCertificate(const std::string& source,
                                          const std::filesystem::path& module,
                                          const Secret& secret) {
    return IsPkcs11Uri(source) ? OpenTokenCertificate(source, module, secret)
                               : CompanyCertificate::ReadFile(source, secret);
}

}  // namespace dfe
