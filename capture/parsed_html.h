#pragma once

#include <gumbo.h>

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace capture {

// One parse of a document, or of markup inside a body when fragmentContext is GUMBO_TAG_BODY.
// The tree lives in memory of its own that is released in one piece: the parser's own release
// walks the tree by recursion, which deeply nested markup turns into a stack overflow. Markup
// nested deeper than browsers go is refused before the parse (MarkupTooDeep).
class ParsedHtml {
public:
    explicit ParsedHtml(std::string_view html, GumboTag fragmentContext = GUMBO_TAG_LAST);
    ParsedHtml(const ParsedHtml&) = delete;
    ParsedHtml& operator=(const ParsedHtml&) = delete;

    const GumboNode* root() const { return output_->root; }

private:
    static void* Allocate(void* self, std::size_t size);
    static void Release(void*, void*) {}

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::size_t used_ = 0;      // of the last block
    std::size_t capacity_ = 0;  // of the last block
    GumboOutput* output_ = nullptr;
};

}  // namespace capture
