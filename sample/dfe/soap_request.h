#pragma once

#include <optional>
#include <string_view>

#include "dfe/xml_document.h"
#include "sample/dfe/distribution_service.h"

namespace sample {

// A request to one of the sample services: its document and the message element in it, or,
// for text that is not XML or has no such element, the SOAP fault that answers it.
struct SoapRequest {
    std::optional<dfe::XmlDocument> document;
    const xmlNode* message = nullptr;  // inside document
    std::optional<ServiceReply> fault;
};

// element: the message's name in the NF-e namespace ("distDFeInt", "envEvento").
SoapRequest ReadSoapRequest(std::string_view body, std::string_view element);

}  // namespace sample
