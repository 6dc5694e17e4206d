#include "dfe/soap_answer.h"

namespace dfe {

bool LooksLikeXml(const HttpAnswer& answer) {
    return answer.contentType.find("xml") != std::string::npos ||
           answer.body.starts_with("<?xml") || answer.body.find(":Envelope") != std::string::npos;
}

}  // namespace dfe
