#include "dfe/canonical_xml.h"

#include <libxml/c14n.h>

#include <memory>

#include "dfe/error.h"

namespace dfe {
namespace {

bool Inside(const xmlNode* node, const xmlNode* apex) {
    for (; node != nullptr; node = node->parent) {
        if (node == apex) {
            return true;
        }
    }
    return false;
}

// Namespace and attribute nodes count as inside when their element is.
int Visible(void* apex, xmlNode* node, xmlNode* parent) {
    const auto* top = static_cast<const xmlNode*>(apex);
    if (node == nullptr || node->type == XML_NAMESPACE_DECL || node->type == XML_ATTRIBUTE_NODE) {
        return Inside(parent, top) ? 1 : 0;
    }
    return node->type != XML_COMMENT_NODE && Inside(node, top) ? 1 : 0;
}

}  // namespace

std::string CanonicalForm(xmlNode* element) {
    std::unique_ptr<xmlOutputBuffer, decltype(&xmlOutputBufferClose)> out(
        xmlAllocOutputBuffer(nullptr), xmlOutputBufferClose);
    if (!out ||
        xmlC14NExecute(element->doc, Visible, element, XML_C14N_1_0, nullptr, 0, out.get()) < 0) {
        throw Error("A forma canônica do XML a assinar não pôde ser calculada.");
    }
    return std::string(reinterpret_cast<const char*>(xmlOutputBufferGetContent(out.get())),
                       xmlOutputBufferGetSize(out.get()));
}

}  // namespace dfe
