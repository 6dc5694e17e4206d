#pragma once

#include <exception>
#include <string>
#include <system_error>

namespace files {

// The reason of a failed system call as the person reads it: Portuguese for the common ones
// (missing file or folder, permission denied, no space left, a folder where a file was
// expected and the reverse, a read-only file system…), the error's number for the rest.
std::string SystemErrorText(int errorNumber);
std::string SystemErrorText(const std::error_code& error);

// What an exception says to the person: a file-system error by its Portuguese reason and its
// path, another system error by its reason, anything else by its own message.
std::string ExceptionText(const std::exception& error);

}  // namespace files
