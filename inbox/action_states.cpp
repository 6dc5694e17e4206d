#include "inbox/action_states.h"

#include <algorithm>

#include "catalog/document_facts.h"

namespace inbox {
namespace {

// A manifestation goes in one company's name, and a cancelled or denied invoice takes none.
bool CanBeManifested(const std::vector<catalog::ListedInvoice>& selected) {
    return !selected.empty() &&
           std::all_of(selected.begin(), selected.end(), [&](const catalog::ListedInvoice& i) {
               return i.company == selected.front().company &&
                      i.situation == catalog::Situation::authorised;
           });
}

// After the Confirmação, the Desconhecimento or the Operação não Realizada, the service
// refuses a Ciência.
bool HasFinalManifestation(const catalog::ListedInvoice& invoice) {
    return !invoice.manifestation.empty() &&
           invoice.manifestation != catalog::ManifestationOf("210210");
}

}  // namespace

ActionStates ActionStatesFor(const WindowSituation& situation) {
    const std::vector<catalog::ListedInvoice>& selected = situation.selected;
    const bool idle = !situation.busy;
    const bool one = selected.size() == 1;
    ActionStates states;
    states.fetchNew = idle && situation.anyCompany;
    states.otherManifestations = idle && CanBeManifested(selected);
    states.ciencia = states.otherManifestations &&
                     std::none_of(selected.begin(), selected.end(), HasFinalManifestation);
    states.openXml = one;
    states.openFolder = one;
    states.danfe =
        one && selected.front().full && selected.front().situation != catalog::Situation::denied;
    states.copyKey = !selected.empty();
    states.exportCsv = situation.rows > 0;
    states.addCompany = idle;
    states.removeCompany = idle && situation.oneCompanyChosen;
    states.cancel = situation.busy;
    return states;
}

}  // namespace inbox
