#pragma once

#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// libxml2's view of a terminated text. A std::string_view need not end in a terminator, so it
// has no overload: it is copied into a std::string first.
inline const xmlChar* XmlChars(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}
inline const xmlChar* XmlChars(const std::string& text) {
    return XmlChars(text.c_str());
}
const xmlChar* XmlChars(std::string_view text) = delete;

// A libxml2 document, freed with the object.
class XmlDocument {
public:
    // Reads text as XML without the network, without loading or expanding anything a
    // document type declaration could bring; a text with such a declaration is refused, as
    // SOAP and the NF-e documents never carry one. Throws AnswerError, whose message names
    // what (e.g. "A resposta do serviço").
    static XmlDocument Parse(std::string_view text, std::string_view what);
    // A new document whose root element is root (which the document then owns).
    static XmlDocument WithRoot(xmlNode* root);

    xmlNode* Root() const { return xmlDocGetRootElement(document_.get()); }
    // The document as UTF-8 text with its XML declaration and no white space added.
    std::string Serialized() const;

private:
    struct Free {
        void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
    };
    explicit XmlDocument(xmlDoc* document) : document_(document) {}

    std::unique_ptr<xmlDoc, Free> document_;
};

// The element alone as UTF-8 text, with the namespace declarations it needs and no XML
// declaration, as it is put inside another message.
std::string ElementText(const xmlNode* element);

// Whether node is an element with the local name in the namespace.
bool IsElement(const xmlNode* node, std::string_view ns, std::string_view name);
// The first element with the local name in the namespace: from itself, then its
// descendants in document order; nullptr when there is none.
xmlNode* FindElement(const xmlNode* from, std::string_view ns, std::string_view name);
// The first child element with the local name in the namespace, or nullptr.
xmlNode* ChildElement(const xmlNode* parent, std::string_view ns, std::string_view name);
std::vector<xmlNode*> ChildElements(const xmlNode* parent, std::string_view ns,
                                    std::string_view name);
// The element's text, with that of its descendants.
std::string TextOf(const xmlNode* node);
// The text of the first child element, or nullopt when there is no such child.
std::optional<std::string> ChildText(const xmlNode* parent, std::string_view ns,
                                     std::string_view name);
std::optional<std::string> AttributeOf(const xmlNode* element, std::string_view name);

// Appends a child element in namespace ns (nullptr: the parent's) holding text.
xmlNode* AddTextElement(xmlNode* parent, xmlNs* ns, std::string_view name, std::string_view text);

}  // namespace dfe
