#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace inbox {

// What vellora-notas is asked on its command line.
struct NotesArguments {
    bool help = false;
    bool version = false;
    std::string company;  // --empresa CNPJ: the company shown first
    std::string error;    // a wrong command line, said for the user
};

NotesArguments ParseNotesArguments(const std::vector<std::string>& arguments);

extern const std::string_view kNotesHelp;

}  // namespace inbox
