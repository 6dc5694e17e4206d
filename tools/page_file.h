#pragma once

#include <filesystem>
#include <string>

namespace tools {

// True for a print page saved by a browser: a file ending in ".html" or ".htm", any letter case.
bool IsSavedPage(const std::filesystem::path& path);

// The page lines that a page file holds, as the conversion takes them: Windows-1252 with CR LF
// between the lines. A saved page is decoded by its declared character set and captured as the
// desktop program captures the portal's page; any other file is a file of page lines. Throws
// std::runtime_error when the file cannot be read or a saved page has no body.
std::string ReadPageFile(const std::filesystem::path& path);

}  // namespace tools
