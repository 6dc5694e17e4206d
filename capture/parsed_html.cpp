#include "capture/parsed_html.h"

#include <algorithm>

#include "capture/nesting_depth.h"

namespace capture {
namespace {

// Blocks grow with the page, so a small fragment does not pay for a large block.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLargestBlockSize = 1024 * 1024;
// The parser's structures hold pointers, sizes, enumerations and characters, nothing wider.
// Aligning to pointers instead of to max_align_t takes a sixth less memory on a large page,
// most of whose allocations are small.
constexpr std::size_t kAlignment = alignof(void*);
static_assert(alignof(GumboNode) <= kAlignment && alignof(GumboOutput) <= kAlignment &&
              alignof(GumboAttribute) <= kAlignment && alignof(GumboVector) <= kAlignment);

}  // namespace

ParsedHtml::ParsedHtml(std::string_view html, GumboTag fragmentContext) {
    CheckNestingDepth(html);
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &ParsedHtml::Allocate;
    options.deallocator = &ParsedHtml::Release;
    options.userdata = this;
    options.max_errors = 0;  // the parse errors are of no use here
    options.fragment_context = fragmentContext;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    output_ = gumbo_parse_with_options(&options, html.data(), html.size());
}

void* ParsedHtml::Allocate(void* self, std::size_t size) {
    auto& parsed = *static_cast<ParsedHtml*>(self);
    size = (std::max<std::size_t>(size, 1) + kAlignment - 1) / kAlignment * kAlignment;
    if (parsed.capacity_ - parsed.used_ < size) {
        const std::size_t grown = parsed.blocks_.empty()
                                      ? kFirstBlockSize
                                      : std::min(parsed.capacity_ * 2, kLargestBlockSize);
        parsed.capacity_ = std::max(grown, size);
        parsed.blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(parsed.capacity_));
        parsed.used_ = 0;
    }
    std::byte* block = parsed.blocks_.back().get();
    parsed.used_ += size;
    return block + parsed.used_ - size;
}

}  // namespace capture
