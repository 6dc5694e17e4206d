#include "app/settings.h"

#include <charconv>
#include <string>
#include <vector>

#include "app/profile_file.h"
#include "app/scrambling.h"
#include "text/integer.h"

namespace app {

namespace {

struct Key {
    std::string_view name;
    int Options::*field;
};

constexpr Key kKeys[] = {{"fcon", &Options::fcon},
                         {"ccer", &Options::ccer},
                         {"scer", &Options::scer},
                         {"idan", &Options::idan},
                         {"echa", &Options::echa}};

}  // namespace

int StrictInteger(std::string_view text) {
    const bool signed_ = text.starts_with('+') || text.starts_with('-');
    const std::string_view digits = signed_ ? text.substr(1) : text;
    // from_chars takes a "-" but not a "+".
    const std::string_view number = text.starts_with('+') ? digits : text;
    if (digits.find_first_not_of("0123456789") == std::string_view::npos) {
        if (const std::optional<int> value = text::ParseInteger<int>(number)) {
            return *value;
        }
    }
    throw IntegerConversionError("'" + std::string(text) + "' não é um valor inteiro válido.");
}

int ReadOption(const std::filesystem::path& file, std::string_view key) {
    const auto stored = ReadProfileValue(file, kSettingsSection, key, "");
    return StrictInteger(ValueOfStoredForm(stored));
}

void ReadOptions(const std::filesystem::path& file, Options& into) {
    for (const auto& key : kKeys) {
        into.*key.field = ReadOption(file, key.name);
    }
}

void WriteOptions(const std::filesystem::path& file, const Options& options,
                  const std::optional<std::string>& certificate) {
    std::vector<ProfileEntry> entries;
    for (const auto& key : kKeys) {
        entries.push_back({key.name, StoredForm(std::to_string(options.*key.field))});
    }
    if (certificate) {
        entries.push_back({kCertificateKey, StoredForm(*certificate)});
    }
    WriteProfileValues(file, kSettingsSection, entries);
}

std::string ReadCertificatePath(const std::filesystem::path& file) {
    return ValueOfStoredForm(ReadProfileValue(file, kSettingsSection, kCertificateKey, ""));
}

}  // namespace app
