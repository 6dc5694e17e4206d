#include "dfe/secret.h"

#include <openssl/crypto.h>

namespace dfe {

Secret::~Secret() {
    Wipe();
}

Secret::Secret(Secret&& other) noexcept : text_(std::move(other.text_)) {
    other.Wipe();
}

Secret& Secret::operator=(Secret&& other) noexcept {
    if (this != &other) {
        Wipe();
        text_ = std::move(other.text_);
        other.Wipe();
    }
    return *this;
}

void Secret::DropFinalLineEnd() {
    if (!text_.empty() && text_.back() == '\n') {
        text_.pop_back();
        if (!text_.empty() && text_.back() == '\r') {
            text_.pop_back();
        }
    }
}

void Secret::Wipe() {
    // The whole buffer, not only the characters in use: a shorter text may follow a longer one.
    if (text_.capacity() > 0) {
        text_.resize(text_.capacity());
        OPENSSL_cleanse(text_.data(), text_.size());
    }
    text_.clear();
}

}  // namespace dfe
