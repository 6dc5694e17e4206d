#pragma once

#include <stdexcept>

namespace nfe {

// A value that had to be read (a key digit, a date, a number) could not be. Ends the
// conversion of a page; the caller reports it with one fixed message.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace nfe
