#pragma once

#include <string>
#include <string_view>

namespace dfe {

// Text that must not outlive its use, such as a password or a private key: it is wiped
// from memory when the object goes, and it cannot be copied by accident.
class Secret {
public:
    Secret() = default;
    explicit Secret(std::string text) : text_(std::move(text)) {}
    ~Secret();
    Secret(Secret&& other) noexcept;
    Secret& operator=(Secret&& other) noexcept;
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    std::string_view view() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    bool empty() const { return text_.empty(); }
    std::size_t size() const { return text_.size(); }

    // For readers that take the text a character at a time; reserve first so that the
    // buffer does not move (a moved buffer leaves a copy behind).
    void Reserve(std::size_t capacity) { text_.reserve(capacity); }
    void Append(char c) { text_.push_back(c); }
    // Drops a final line end (LF or CR LF), as a password file or a terminal line carries.
    void DropFinalLineEnd();

private:
    void Wipe();

    std::string text_;
};

}  // namespace dfe
