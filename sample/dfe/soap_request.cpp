#include "sample/dfe/soap_request.h"

#include <string>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "nfe/xml_escape.h"

namespace sample {
namespace {

ServiceReply SoapFault(std::string_view reason) {
    ServiceReply reply;
    reply.status = 500;
    reply.body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
        "xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body><soap:Fault>"
        "<soap:Code><soap:Value>soap:Sender</soap:Value></soap:Code><soap:Reason>"
        "<soap:Text xml:lang=\"pt-BR\">" +
        nfe::EscapeXmlText(reason) +
        "</soap:Text></soap:Reason></soap:Fault></soap:Body></soap:Envelope>";
    reply.summary = "SOAP fault";
    return reply;
}

}  // namespace

SoapRequest ReadSoapRequest(std::string_view body, std::string_view element) {
    SoapRequest request;
    try {
        request.document.emplace(dfe::XmlDocument::Parse(body, "O pedido"));
    } catch (const dfe::AnswerError& error) {
        request.fault = SoapFault(error.what());
        return request;
    }
    request.message = dfe::FindElement(request.document->Root(), dfe::kNamespaceNFe, element);
    if (request.message == nullptr) {
        request.fault = SoapFault("O pedido não traz " + std::string(element) + ".");
    }
    return request;
}

}  // namespace sample
