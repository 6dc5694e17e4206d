#include "capture/legacy_markup.h"

#include <gumbo.h>

#include <vector>

#include "capture/parsed_html.h"

namespace capture {
namespace {

bool IsHtmlElement(const GumboNode* node) {
    return (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) &&
           node->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

GumboTag HtmlTag(const GumboNode* node) {
    return IsHtmlElement(node) ? node->v.element.tag : GUMBO_TAG_UNKNOWN;
}

bool IsBlockLevel(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_ADDRESS:
        case GUMBO_TAG_BLOCKQUOTE:
        case GUMBO_TAG_CAPTION:
        case GUMBO_TAG_CENTER:
        case GUMBO_TAG_DD:
        case GUMBO_TAG_DIV:
        case GUMBO_TAG_DL:
        case GUMBO_TAG_DT:
        case GUMBO_TAG_FIELDSET:
        case GUMBO_TAG_FORM:
        case GUMBO_TAG_H1:
        case GUMBO_TAG_H2:
        case GUMBO_TAG_H3:
        case GUMBO_TAG_H4:
        case GUMBO_TAG_H5:
        case GUMBO_TAG_H6:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_LEGEND:
        case GUMBO_TAG_LI:
        case GUMBO_TAG_OL:
        case GUMBO_TAG_P:
        case GUMBO_TAG_PRE:
        case GUMBO_TAG_TABLE:
        case GUMBO_TAG_TBODY:
        case GUMBO_TAG_TD:
        case GUMBO_TAG_TFOOT:
        case GUMBO_TAG_TH:
        case GUMBO_TAG_THEAD:
        case GUMBO_TAG_TR:
        case GUMBO_TAG_UL:
            return true;
        default:
            return false;
    }
}

bool IsVoid(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_AREA:
        case GUMBO_TAG_BASE:
        case GUMBO_TAG_BR:
        case GUMBO_TAG_COL:
        case GUMBO_TAG_EMBED:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_INPUT:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_META:
        case GUMBO_TAG_PARAM:
        case GUMBO_TAG_SOURCE:
        case GUMBO_TAG_TRACK:
        case GUMBO_TAG_WBR:
            return true;
        default:
            return false;
    }
}

bool KeepsWhiteSpace(GumboTag tag) {
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_TEXTAREA;
}

// Elements whose text the parser took without reading markup in it.
bool HoldsRawText(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_XMP:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_NOEMBED:
        case GUMBO_TAG_NOFRAMES:
        case GUMBO_TAG_PLAINTEXT:
            return true;
        default:
            return false;
    }
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string TagName(const GumboElement& element) {
    std::string name;
    if (element.tag == GUMBO_TAG_UNKNOWN) {
        GumboStringPiece original = element.original_tag;
        gumbo_tag_from_original_text(&original);
        name.assign(original.data, original.length);
    } else {
        name = gumbo_normalized_tagname(element.tag);
    }
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

// Writes the children of one node in the legacy form. Lines are the runs between block
// boundaries (a block-level tag or a BR): white space at the start and at the end of a line is
// dropped, and every other run of white space becomes one blank. A blank is held back until
// the next visible content, so it is written before an inline tag rather than after it.
class LegacyWriter {
public:
    std::string Write(const GumboNode* parent) {
        // Iterative, so that deeply nested markup cannot exhaust the stack.
        struct Frame {
            const GumboNode* element;
            unsigned int next;
        };
        std::vector<Frame> stack{{parent, 0}};
        while (!stack.empty()) {
            const GumboNode* element = stack.back().element;
            const GumboVector& children = element->v.element.children;
            if (stack.back().next == children.length) {
                stack.pop_back();
                if (!stack.empty()) {
                    CloseElement(element);
                }
                continue;
            }
            const auto* child = static_cast<const GumboNode*>(children.data[stack.back().next++]);
            switch (child->type) {
                case GUMBO_NODE_ELEMENT:
                case GUMBO_NODE_TEMPLATE:
                    OpenElement(child);
                    stack.push_back({child, 0});
                    break;
                case GUMBO_NODE_TEXT:
                case GUMBO_NODE_WHITESPACE:
                    WriteText(child->v.text.text, HtmlTag(element));
                    break;
                case GUMBO_NODE_CDATA:
                    out_ += "<![CDATA[";
                    out_ += child->v.text.text;
                    out_ += "]]>";
                    break;
                case GUMBO_NODE_COMMENT:
                    out_ += "<!--";
                    out_ += child->v.text.text;
                    out_ += "-->";
                    break;
                case GUMBO_NODE_DOCUMENT:
                    break;
            }
        }
        return std::move(out_);
    }

private:
    void OpenElement(const GumboNode* node) {
        const GumboElement& element = node->v.element;
        const GumboTag tag = HtmlTag(node);
        if (IsBlockLevel(tag)) {
            if (!out_.empty()) {
                out_ += "\r\n";
            }
            pendingSpace_ = false;
        } else if (tag == GUMBO_TAG_BR) {
            pendingSpace_ = false;
        } else {
            FlushSpace();
        }
        out_ += '<';
        out_ += TagName(element);
        for (unsigned int i = 0; i < element.attributes.length; ++i) {
            const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            out_ += ' ';
            out_ += attribute->name;
            out_ += "=\"";
            WriteAttributeValue(attribute->value);
            out_ += '"';
        }
        out_ += '>';
        if (tag == GUMBO_TAG_BR) {
            out_ += "\r\n";
        }
        if (IsBlockLevel(tag) || tag == GUMBO_TAG_BR) {
            spaceAllowed_ = false;
        } else if (IsVoid(tag)) {
            spaceAllowed_ = true;
        }
        if (KeepsWhiteSpace(tag)) {
            ++keepWhiteSpace_;
        }
    }

    void CloseElement(const GumboNode* node) {
        const GumboTag tag = HtmlTag(node);
        if (KeepsWhiteSpace(tag)) {
            --keepWhiteSpace_;
        }
        if (IsVoid(tag)) {
            return;
        }
        if (IsBlockLevel(tag)) {
            pendingSpace_ = false;
            spaceAllowed_ = false;
        }
        out_ += "</";
        out_ += TagName(node->v.element);
        out_ += '>';
    }

    void WriteText(std::string_view text, GumboTag parent) {
        if (HoldsRawText(parent)) {
            out_ += text;
            return;
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (keepWhiteSpace_ == 0 && IsWhiteSpace(c)) {
                pendingSpace_ = spaceAllowed_;
                continue;
            }
            FlushSpace();
            spaceAllowed_ = true;
            if (c == '&') {
                out_ += "&amp;";
            } else if (c == '<') {
                out_ += "&lt;";
            } else if (c == '>') {
                out_ += "&gt;";
            } else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
                out_ += "&nbsp;";
                ++i;
            } else {
                out_ += c;
            }
        }
    }

    void WriteAttributeValue(std::string_view value) {
        for (const char c : value) {
            if (c == '&') {
                out_ += "&amp;";
            } else if (c == '"') {
                out_ += "&quot;";
            } else {
                out_ += c;
            }
        }
    }

    void FlushSpace() {
        if (pendingSpace_) {
            out_ += ' ';
            pendingSpace_ = false;
            spaceAllowed_ = false;
        }
    }

    std::string out_;
    // No blank at the start of a line or right after another blank.
    bool spaceAllowed_ = false;
    bool pendingSpace_ = false;
    int keepWhiteSpace_ = 0;
};

const GumboNode* FindBody(const GumboNode* html) {
    const GumboVector& children = html->v.element.children;
    for (unsigned int i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (HtmlTag(child) == GUMBO_TAG_BODY) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> LegacyBodyMarkup(std::string_view htmlDocument) {
    const ParsedHtml parsed(htmlDocument);
    const GumboNode* body = FindBody(parsed.root());
    if (body == nullptr) {
        return std::nullopt;
    }
    return LegacyWriter().Write(body);
}

std::string LegacyMarkupOfBodyContent(std::string_view bodyInnerHtml) {
    const ParsedHtml parsed(bodyInnerHtml, GUMBO_TAG_BODY);
    return LegacyWriter().Write(parsed.root());
}

}  // namespace capture
