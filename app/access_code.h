#pragma once

#include <string>

namespace app {

struct DataCivil {
    int ano = 2000;
    int mes = 1;
    int dia = 1;
};

// The six-digit code that opens the settings dialog on a given day. Installers work it out on
// paper from the machine's date: write the date as the six-digit number DDMMYY, multiply it by
// 3, add 271828, keep the last six digits (leading zeros included).
std::string CodigoDeAcesso(const DataCivil& hoje);

}  // namespace app
