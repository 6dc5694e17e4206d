#include "capture/legacy_markup.h"

#include <gumbo.h>

#include <vector>

#include "capture/parsed_html.h"
#include "text/ascii_case.h"

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
    return text::AsciiUpperCase(name);
}

// A text node of white space alone disappears where it stands beside a block: right before or
// after a block-level sibling, or at the start or end of a block or of the body. Anywhere else
// it is one blank, as in "<label>CNPJ</label> <span>…</span>" or between the captcha picture
// and the input after it.
bool VanishingWhiteSpace(const GumboNode* parent, unsigned int index, bool parentIsBody) {
    const GumboVector& siblings = parent->v.element.children;
    const auto blockAt = [&](unsigned int i) {
        return IsBlockLevel(HtmlTag(static_cast<const GumboNode*>(siblings.data[i])));
    };
    const bool parentIsBlock = parentIsBody || IsBlockLevel(HtmlTag(parent));
    const bool blockBefore = index == 0 ? parentIsBlock : blockAt(index - 1);
    const bool blockAfter = index + 1 == siblings.length ? parentIsBlock : blockAt(index + 1);
    return blockBefore || blockAfter;
}

bool IsWhiteSpaceOnly(std::string_view text) {
    for (const char c : text) {
        if (!IsWhiteSpace(c)) {
            return false;
        }
    }
    return true;
}

// Writes the children of one node in the legacy form. Inside a text node every run of white
// space becomes one blank, and that blank stays where the text has it, also at the end of an
// element or before a block: the conversion counts it in the offsets of some values, such as
// the blank of "Descrição " before the taxpayer's notes. Only a blank that would start a line,
// or follow another across an inline tag, is dropped, as the page shows none there: the
// conversion finds its headings at the start of a line, and pretty-printed markup puts white
// space before many of them.
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
            const unsigned int index = stack.back().next++;
            const auto* child = static_cast<const GumboNode*>(children.data[index]);
            switch (child->type) {
                case GUMBO_NODE_ELEMENT:
                case GUMBO_NODE_TEMPLATE:
                    OpenElement(child);
                    stack.push_back({child, 0});
                    break;
                case GUMBO_NODE_TEXT:
                case GUMBO_NODE_WHITESPACE:
                    if (HoldsRawText(HtmlTag(element))) {
                        WriteRawText(child->v.text.text);
                    } else if (keepWhiteSpace_ > 0) {
                        WriteText(child->v.text.text, false);
                    } else if (!IsWhiteSpaceOnly(child->v.text.text) ||
                               !VanishingWhiteSpace(element, index, stack.size() == 1)) {
                        WriteText(child->v.text.text, true);
                    }
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
        if (IsBlockLevel(tag) && !out_.empty()) {
            out_ += "\r\n";
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
            blankAllowed_ = false;
        } else if (IsVoid(tag)) {
            blankAllowed_ = true;
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
            blankAllowed_ = false;
        }
        out_ += "</";
        out_ += TagName(node->v.element);
        out_ += '>';
    }

    void WriteRawText(std::string_view text) { out_ += text; }

    // Escaped, with every run of white space as one blank when collapse is set.
    void WriteText(std::string_view text, bool collapse) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (collapse && IsWhiteSpace(c)) {
                while (i + 1 < text.size() && IsWhiteSpace(text[i + 1])) {
                    ++i;
                }
                if (blankAllowed_) {
                    out_ += ' ';
                    blankAllowed_ = false;
                }
                continue;
            }
            blankAllowed_ = true;
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

    std::string out_;
    // No blank at the start of a line, nor right after another one across inline tags.
    bool blankAllowed_ = false;
    int keepWhiteSpace_ = 0;  // open PRE and TEXTAREA elements
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
