#pragma once

#include <stdexcept>

namespace danfe {

// A file whose DANFE cannot be drawn, or a PDF that cannot be written; the message is meant
// for the person and is in Portuguese.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace danfe
