#include "capture/nesting_depth.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace capture {
namespace {

// The depth of the tree a browser builds, estimated from the tags alone: void elements never
// open, raw-text elements hold no tags, an end tag closes up to its element when that is open
// near the top, and the elements whose end tags pages may leave out are closed by their next
// sibling. Exact on well-formed markup; near enough on sloppy markup to tell a real page from
// a pathological one.
class DepthCounter {
public:
    explicit DepthCounter(std::string_view html) : html_(html) {}

    void Run() {
        while (true) {
            const std::size_t open = html_.find('<', position_);
            if (open == std::string_view::npos || open + 1 >= html_.size()) {
                return;
            }
            position_ = open + 1;
            const char next = html_[position_];
            if (html_.substr(position_).starts_with("!--")) {
                SkipPast("-->", position_ + 3);
            } else if (next == '!' || next == '?') {
                SkipPast(">", position_);
            } else if (next == '/' && position_ + 1 < html_.size() &&
                       IsLetter(html_[position_ + 1])) {
                ++position_;
                const std::string name = ReadName();
                SkipPast(">", position_);
                Close(name);
            } else if (IsLetter(next)) {
                StartTag();
            }
        }
    }

private:
    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    static bool IsOneOf(std::string_view name, std::span<const std::string_view> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    static bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
        return IsOneOf(name, std::span(names.begin(), names.size()));
    }

    static bool IsVoid(std::string_view name) {
        return IsOneOf(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame",
                              "hr", "image", "img", "input", "keygen", "link", "meta", "param",
                              "source", "track", "wbr"});
    }

    static bool HoldsRawText(std::string_view name) {
        return IsOneOf(
            name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"});
    }

    // The open elements that a start tag of name closes when one of them is on top.
    static std::span<const std::string_view> ClosedBy(std::string_view name) {
        static constexpr std::string_view kListItem[] = {"li", "p"};
        static constexpr std::string_view kDefinition[] = {"dt", "dd", "p"};
        static constexpr std::string_view kCell[] = {"td", "th"};
        static constexpr std::string_view kRow[] = {"tr", "td", "th"};
        static constexpr std::string_view kRowGroup[] = {"thead", "tbody", "tfoot",
                                                         "tr",    "td",    "th"};
        static constexpr std::string_view kOption[] = {"option"};
        static constexpr std::string_view kOptionGroup[] = {"option", "optgroup"};
        static constexpr std::string_view kParagraph[] = {"p"};
        if (name == "li") {
            return kListItem;
        }
        if (name == "dt" || name == "dd") {
            return kDefinition;
        }
        if (name == "td" || name == "th") {
            return kCell;
        }
        if (name == "tr") {
            return kRow;
        }
        if (name == "thead" || name == "tbody" || name == "tfoot") {
            return kRowGroup;
        }
        if (name == "option") {
            return kOption;
        }
        if (name == "optgroup") {
            return kOptionGroup;
        }
        if (IsOneOf(name, {"address",  "article", "aside",  "blockquote", "center", "div",  "dl",
                           "fieldset", "figure",  "footer", "form",       "h1",     "h2",   "h3",
                           "h4",       "h5",      "h6",     "header",     "hr",     "main", "nav",
                           "ol",       "p",       "pre",    "section",    "table",  "ul"})) {
            return kParagraph;
        }
        return {};
    }

    std::string ReadName() {
        std::string name;
        while (position_ < html_.size()) {
            const char c = html_[position_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' ||
                c == '>') {
                break;
            }
            name += text::AsciiLower(c);
            ++position_;
        }
        return name;
    }

    void SkipPast(std::string_view end, std::size_t from) {
        const std::size_t found = html_.find(end, from);
        position_ = found == std::string_view::npos ? html_.size() : found + end.size();
    }

    // Past the attributes to the tag's ">", quoted values included; whether it ends in "/>".
    bool SkipAttributes() {
        char quote = 0;
        for (; position_ < html_.size(); ++position_) {
            const char c = html_[position_];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                ++position_;
                return html_[position_ - 2] == '/';
            }
        }
        return false;
    }

    void SkipRawText(std::string_view name) {
        const std::string end = "</" + std::string(name);
        while (position_ < html_.size()) {
            const std::size_t found = html_.find("</", position_);
            if (found == std::string_view::npos) {
                position_ = html_.size();
                return;
            }
            position_ = found + 2;
            const std::string candidate = text::AsciiLowerCase(html_.substr(found, end.size()));
            if (candidate == end) {
                SkipPast(">", position_);
                return;
            }
        }
    }

    void StartTag() {
        const std::string name = ReadName();
        const bool selfClosing = SkipAttributes();
        if (name == "plaintext") {
            position_ = html_.size();
            return;
        }
        const std::span<const std::string_view> closed = ClosedBy(name);
        while (!open_.empty() && IsOneOf(open_.back(), closed)) {
            Pop();
        }
        if (IsVoid(name) || (selfClosing && foreign_ > 0)) {
            return;
        }
        if (HoldsRawText(name)) {
            SkipRawText(name);
            return;
        }
        open_.push_back(name);
        foreign_ += name == "svg" || name == "math";
        if (open_.size() > kMaximumNestingDepth) {
            throw MarkupTooDeep();
        }
    }

    // An end tag whose element is not open near the top is one the browser ignores or that
    // closes little; looking no deeper keeps the count linear.
    void Close(std::string_view name) {
        constexpr std::size_t kSearchedLevels = 64;
        const std::size_t lowest =
            open_.size() > kSearchedLevels ? open_.size() - kSearchedLevels : 0;
        for (std::size_t i = open_.size(); i > lowest; --i) {
            if (open_[i - 1] == name) {
                while (open_.size() >= i) {
                    Pop();
                }
                return;
            }
        }
    }

    void Pop() {
        foreign_ -= open_.back() == "svg" || open_.back() == "math";
        open_.pop_back();
    }

    std::string_view html_;
    std::size_t position_ = 0;
    std::vector<std::string> open_;
    int foreign_ = 0;  // open svg and math elements, inside which "/>" closes an element
};

}  // namespace

MarkupTooDeep::MarkupTooDeep()
    : std::runtime_error("A página tem elementos aninhados em mais de " +
                         std::to_string(kMaximumNestingDepth) +
                         " níveis, mais do que um navegador monta; ela não foi lida.") {}

void CheckNestingDepth(std::string_view html) {
    DepthCounter(html).Run();
}

}  // namespace capture
