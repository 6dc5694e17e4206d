#pragma once

#include <string>
#include <vector>

namespace danfe {

// What the DANFE shows of an authorised invoice, as the XML gives it: plain texts, values
// with the XML's decimal point, dates as written (ISO, with or without time and offset).
// An absent field is an empty text.

struct Address {
    std::string street;  // xLgr
    std::string number;  // nro
    std::string complement;
    std::string district;  // xBairro
    std::string city;      // xMun
    std::string state;     // UF
    std::string postalCode;
    std::string phone;
};

struct Party {
    std::string cnpj;  // or the CPF, or for a foreign party its idEstrangeiro
    std::string cpf;
    std::string name;
    std::string stateRegistration;            // IE
    std::string substituteStateRegistration;  // IEST
    std::string municipalRegistration;        // IM
    Address address;
};

struct Item {
    std::string code;  // cProd
    std::string description;
    std::string ncm;
    std::string cst;  // origin and CST, or origin and CSOSN
    std::string cfop;
    std::string unit;
    std::string quantity;
    std::string unitValue;
    std::string total;  // vProd
    std::string icmsBase;
    std::string icmsValue;
    std::string icmsRate;
    std::string ipiValue;
    std::string ipiRate;
    std::string notes;  // infAdProd
};

struct Instalment {
    std::string number;  // nDup
    std::string due;     // dVenc
    std::string value;
};

struct Totals {
    std::string icmsBase, icms, stBase, st, products, freight, insurance, discount, other, ipi,
        invoice, importTax, fcp, fcpSt, fcpStRetained, approximateTaxes;
    std::string serviceValue, issqnBase, issqn;  // ISSQNtot
};

struct Transport {
    std::string freightMode;  // modFrete
    std::string carrierDocument;
    std::string carrierName;
    std::string carrierStateRegistration;
    std::string carrierAddress, carrierCity, carrierState;
    std::string vehiclePlate, vehicleState, vehicleAntt;
    std::string volumes, kind, brand, numbering, grossWeight, netWeight;
};

struct Invoice {
    std::string key;            // 44 characters
    std::string layout;         // infNFe versao: "2.00", "3.10", "4.00"
    std::string environment;    // tpAmb: "1" production, "2" homologation
    std::string operationKind;  // tpNF: "0" entry, "1" exit
    std::string nature;         // natOp
    std::string number;         // nNF
    std::string series;
    std::string issued;        // dEmi or dhEmi
    std::string movement;      // dSaiEnt or dhSaiEnt
    std::string movementTime;  // hSaiEnt (2.00)
    std::string protocol;      // nProt
    std::string authorised;    // dhRecbto
    Party issuer;
    Party recipient;
    std::string billNumber, billOriginal, billDiscount, billNet;  // fat
    std::vector<Instalment> instalments;
    Totals totals;
    Transport transport;
    std::vector<Item> items;
    std::string taxpayerNotes;  // infCpl
    std::string fiscoNotes;     // infAdFisco

    bool homologation() const { return environment == "2"; }
};

}  // namespace danfe
