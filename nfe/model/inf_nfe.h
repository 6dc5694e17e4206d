#pragma once

#include <string>

namespace nfe {

// Identity of the document: access-key identifier and layout version.
struct TInfNFe {
    // The 44 digits of the access key; the writer puts "NFe" in front and stores it back.
    std::string ID;

    // The layout version (2.0, 3.1, ...). Nothing stored, or a value that is not positive,
    // reads as 2.0.
    double Versao() const;
    void SetVersao(double versao) { versao_ = versao; }

    // The version attribute ready for an opening tag, e.g. versao="3.10": two decimals and
    // always a "." separator, whatever the locale.
    std::string VersaoStr() const;

    bool operator==(const TInfNFe&) const = default;

private:
    double versao_ = 0;
};

}  // namespace nfe
