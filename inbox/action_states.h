#pragma once

#include <vector>

#include "catalog/catalog.h"

namespace inbox {

// What the window is doing and showing, as far as its actions depend on it.
struct WindowSituation {
    bool busy = false;              // a command is running
    bool anyCompany = false;        // the catalogue has a company
    bool oneCompanyChosen = false;  // the company box names one, not all
    std::size_t rows = 0;           // rows in the table
    std::vector<catalog::ListedInvoice> selected;
};

// Which actions can be used now.
struct ActionStates {
    bool fetchNew = false;
    bool ciencia = false;
    bool otherManifestations = false;  // Confirmação, Desconhecimento, Operação não Realizada
    bool openXml = false;
    bool openFolder = false;
    bool danfe = false;
    bool copyKey = false;
    bool exportCsv = false;
    bool addCompany = false;
    bool removeCompany = false;
    bool cancel = false;
};

ActionStates ActionStatesFor(const WindowSituation& situation);

}  // namespace inbox
