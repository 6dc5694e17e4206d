#include "tools/dfe/certificate_validity.h"

#include <ostream>

#include "dfe/local_time.h"
#include "dfe/party.h"

namespace tools {

long DaysLeft(const catalog::Company& company, dfe::Time now) {
    const dfe::Time until{std::chrono::seconds(company.validUntil)};
    return static_cast<long>(std::chrono::floor<std::chrono::days>(until - now).count());
}

void WarnOfExpiry(const catalog::Company& company, const DfeContext& context) {
    const long days = DaysLeft(company, context.clock.Now());
    if (days > 30) {
        return;
    }
    const std::string name = dfe::PartyFromNumber(company.cnpj)->Formatted();
    const std::string until =
        dfe::LocalDateTimeText(dfe::Time{std::chrono::seconds(company.validUntil)});
    if (days < 0) {
        context.err << "Aviso: o certificado da empresa " << name << " venceu em " << until
                    << ".\n";
    } else {
        context.err << "Aviso: o certificado da empresa " << name << " vence em " << days
                    << " dias (" << until << "); renove-o.\n";
    }
}

}  // namespace tools
