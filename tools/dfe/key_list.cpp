#include "tools/dfe/key_list.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "nfe/access_key.h"
#include "text/trim.h"

namespace tools {
namespace {

void Add(std::string_view written, KeyList& list) {
    const std::optional<std::string> key = nfe::TypedAccessKey(written);
    if (!key) {
        list.invalid.emplace_back(written);
        return;
    }
    if (std::find(list.keys.begin(), list.keys.end(), *key) == list.keys.end()) {
        list.keys.push_back(*key);
    }
}

}  // namespace

KeyList CollectKeys(const std::vector<std::string>& arguments, const std::string& keysFile) {
    KeyList list;
    for (const std::string& argument : arguments) {
        Add(text::Trim(argument), list);
    }
    if (keysFile.empty()) {
        return list;
    }
    std::ifstream in(keysFile, std::ios::binary);
    if (!in) {
        throw std::runtime_error("O arquivo de chaves \"" + keysFile + "\" não pôde ser aberto.");
    }
    for (std::string line; std::getline(in, line);) {
        const std::string_view key = text::Trim(std::string_view(line).substr(0, line.find('#')));
        if (!key.empty()) {
            Add(key, list);
        }
    }
    if (in.bad()) {
        throw std::runtime_error("O arquivo de chaves \"" + keysFile + "\" não pôde ser lido.");
    }
    return list;
}

}  // namespace tools
