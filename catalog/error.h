#pragma once

#include <stdexcept>

namespace catalog {

// The catalogue could not be opened, read or written; the message says why, in Portuguese.
class CatalogError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace catalog
