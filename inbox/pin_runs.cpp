#include "inbox/pin_runs.h"

#include <algorithm>

#include "catalog/invoice_csv.h"
#include "dfe/pkcs11_uri.h"

namespace inbox {

bool AsksForPin(const catalog::Company& company) {
    return dfe::IsPkcs11Uri(company.certificate.native()) && !company.passwordFile;
}

std::string PinQuestion(const catalog::Company& company) {
    return "PIN do token do certificado de " + company.holder + " (CNPJ " +
           catalog::PartyText(company.cnpj) + "):";
}

std::vector<SynchroniseRun> SynchroniseRuns(const std::vector<catalog::Company>& companies,
                                            const std::string& chosen) {
    if (!chosen.empty()) {
        const auto company =
            std::find_if(companies.begin(), companies.end(),
                         [&](const catalog::Company& c) { return c.cnpj == chosen; });
        if (company != companies.end() && AsksForPin(*company)) {
            return {{{chosen}, *company}};
        }
        return {{{chosen}, std::nullopt}};
    }
    if (std::none_of(companies.begin(), companies.end(), AsksForPin)) {
        return {{{}, std::nullopt}};
    }
    std::vector<SynchroniseRun> runs{{{}, std::nullopt}};
    for (const catalog::Company& company : companies) {
        if (AsksForPin(company)) {
            runs.push_back({{company.cnpj}, company});
        } else {
            runs.front().cnpjs.push_back(company.cnpj);
        }
    }
    if (runs.front().cnpjs.empty()) {
        runs.erase(runs.begin());
    }
    return runs;
}

}  // namespace inbox
