#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dfe {

// The most that one document may take once unpacked; an invoice of the largest kind is a
// few megabytes, so more than this is a broken or hostile answer.
inline constexpr std::size_t kMaxDocumentBytes = 64u << 20;

// The bytes of a docZip: its Base64 text (line breaks and blanks allowed) decoded, then
// gunzipped, exactly as they were packed. Throws AnswerError when the text is not Base64,
// the data is not a whole gzip stream, or it unpacks to more than kMaxDocumentBytes.
std::string UnpackDocZip(std::string_view base64);

}  // namespace dfe
