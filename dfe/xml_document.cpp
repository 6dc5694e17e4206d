#include "dfe/xml_document.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <mutex>

#include "dfe/error.h"

namespace dfe {
namespace {

std::string_view View(const xmlChar* text) {
    return text == nullptr ? std::string_view() : reinterpret_cast<const char*>(text);
}

// Some of libxml2's errors (bytes that the declared encoding cannot decode) bypass the parser's
// options and go to the generic handler, which prints them on standard error. Every failure
// already reaches the caller as an exception with its reason.
void Silently(void*, const char*, ...) {}

}  // namespace

XmlDocument XmlDocument::Parse(std::string_view text, std::string_view what) {
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);
    xmlSetGenericErrorFunc(nullptr, &Silently);  // per thread in libxml2

    if (text.find("<!DOCTYPE") != std::string_view::npos) {
        throw AnswerError(std::string(what) +
                          " traz uma declaração de tipo de documento "
                          "(DOCTYPE), que não é aceita.");
    }
    if (text.size() > INT_MAX) {
        throw AnswerError(std::string(what) + " é grande demais.");
    }
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(),
                                                                         xmlFreeParserCtxt);
    if (!context) {
        throw std::bad_alloc();
    }
    xmlDoc* document =
        xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()), nullptr,
                          nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    XmlDocument parsed(document);
    if (document == nullptr || context->wellFormed == 0) {
        std::string reason =
            context->lastError.message != nullptr ? context->lastError.message : "texto vazio";
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) {
            reason.pop_back();
        }
        throw AnswerError(std::string(what) + " não é um XML válido (linha " +
                          std::to_string(context->lastError.line) + ": " + reason + ").");
    }
    if (document->intSubset != nullptr || document->extSubset != nullptr) {
        throw AnswerError(std::string(what) +
                          " traz uma declaração de tipo de documento "
                          "(DOCTYPE), que não é aceita.");
    }
    if (parsed.Root() == nullptr) {
        throw AnswerError(std::string(what) + " não tem elemento raiz.");
    }
    return parsed;
}

XmlDocument XmlDocument::WithRoot(xmlNode* root) {
    XmlDocument document(xmlNewDoc(XmlChars("1.0")));
    xmlDocSetRootElement(document.document_.get(), root);
    return document;
}

std::string XmlDocument::Serialized() const {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document_.get(), &text, &size, "UTF-8");
    std::string serialized(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    return serialized;
}

std::string ElementText(const xmlNode* element) {
    // The copy declares on itself the namespaces that it took from above.
    XmlDocument alone =
        XmlDocument::WithRoot(xmlDocCopyNode(const_cast<xmlNode*>(element), nullptr, 1));
    xmlNode* root = alone.Root();
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
    xmlNodeDump(buffer.get(), root->doc, root, 0, 0);
    return std::string(View(xmlBufferContent(buffer.get())));
}

bool IsElement(const xmlNode* node, std::string_view ns, std::string_view name) {
    return node != nullptr && node->type == XML_ELEMENT_NODE && View(node->name) == name &&
           node->ns != nullptr && View(node->ns->href) == ns;
}

xmlNode* FindElement(const xmlNode* from, std::string_view ns, std::string_view name) {
    // Iterative, so that the depth of a hostile document costs no stack.
    for (xmlNode* node = const_cast<xmlNode*>(from); node != nullptr;) {
        if (IsElement(node, ns, name)) {
            return node;
        }
        if (node->children != nullptr && node->type == XML_ELEMENT_NODE) {
            node = node->children;
            continue;
        }
        while (node != nullptr && node != from && node->next == nullptr) {
            node = node->parent;
        }
        if (node == nullptr || node == from) {
            return nullptr;
        }
        node = node->next;
    }
    return nullptr;
}

xmlNode* ChildElement(const xmlNode* parent, std::string_view ns, std::string_view name) {
    for (xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (IsElement(child, ns, name)) {
            return child;
        }
    }
    return nullptr;
}

std::vector<xmlNode*> ChildElements(const xmlNode* parent, std::string_view ns,
                                    std::string_view name) {
    std::vector<xmlNode*> children;
    for (xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (IsElement(child, ns, name)) {
            children.push_back(child);
        }
    }
    return children;
}

std::string TextOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text(View(content));
    xmlFree(content);
    return text;
}

std::optional<std::string> ChildText(const xmlNode* parent, std::string_view ns,
                                     std::string_view name) {
    const xmlNode* child = ChildElement(parent, ns, name);
    if (child == nullptr) {
        return std::nullopt;
    }
    return TextOf(child);
}

std::optional<std::string> AttributeOf(const xmlNode* element, std::string_view name) {
    const std::string key(name);
    xmlChar* value = xmlGetNoNsProp(element, XmlChars(key));
    if (value == nullptr) {
        return std::nullopt;
    }
    std::string text(View(value));
    xmlFree(value);
    return text;
}

xmlNode* AddTextElement(xmlNode* parent, xmlNs* ns, std::string_view name, std::string_view text) {
    const std::string element(name);
    xmlNode* child = xmlNewChild(parent, ns, XmlChars(element), nullptr);
    const std::string content(text);
    xmlNodeAddContent(child, XmlChars(content));
    return child;
}

}  // namespace dfe
