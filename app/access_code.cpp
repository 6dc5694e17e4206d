#include "app/access_code.h"

#include <cstdio>

namespace app {

std::string CodigoDeAcesso(const DataCivil& hoje) {
    const long ddmmyy = hoje.dia * 10000L + hoje.mes * 100L + hoje.ano % 100;
    char code[8];
    std::snprintf(code, sizeof code, "%06ld", (ddmmyy * 3 + 271828) % 1000000);
    return code;
}

}  // namespace app
