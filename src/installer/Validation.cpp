#include "installer/Validation.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace tornavel {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool hasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

// The parts of a relative name between separators; empty parts (doubled
// separators) fold away as Windows folds them.
std::vector<std::string> nameParts(std::string_view name) {
    std::vector<std::string> parts;
    std::string current;
    for (const char c : name) {
        if (isSeparator(c)) {
            if (!current.empty()) {
                parts.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    parts.push_back(std::move(current)); // the last part, empty when the name ends with "\"
    return parts;
}

// Whether two names are the same for Windows, which ignores letter case.
// MatchesWildcard compares a pattern without wildcards exactly that way; a
// name it would read as a list (";") or trim is compared byte for byte.
bool sameName(std::string_view entry, std::string_view name) {
    const bool plain = !name.empty() && name.find(';') == std::string_view::npos &&
                       name.front() != ' ' && name.back() != ' ' && name.front() != '\t' &&
                       name.back() != '\t';
    return plain ? MatchesWildcard(entry, name) : entry == name;
}

// The entry of folder that a name part means: the exact name when it exists,
// else one that differs only in case. Nothing when there is none or the
// folder cannot be read.
std::optional<FolderEntry> findEntry(const std::string& folder, const std::string& part) {
    const FileAttributes exact = GetFileAttributes(folder + part);
    if (exact.exists) {
        return FolderEntry{part, exact.folder, exact.hidden};
    }
    try {
        for (auto& entry : ReadFolder(folder)) {
            if (sameName(entry.name, part)) {
                return entry;
            }
        }
    } catch (const Error&) {
    }
    return std::nullopt;
}

bool anyFileMatches(const std::string& folder, const std::string& pattern) {
    try {
        for (const auto& entry : ReadFolder(folder)) {
            if (entry.folder) {
                continue;
            }
            const bool matches = hasWildcard(pattern) ? MatchesWildcard(entry.name, pattern)
                                                      : sameName(entry.name, pattern);
            if (matches) {
                return true;
            }
        }
    } catch (const Error&) {
    }
    return false;
}

const std::string kIconTextStart = "Na záložce \"Ikony\" jste označil použití souboru \"";

std::string iconNumber(int icon) {
    return "č." + std::to_string(icon + 1);
}

std::string missingIconFileText(int icon, const std::string& name) {
    return kIconTextStart + name + "\" pro vytvoření ikony " + iconNumber(icon) +
           ". Soubor uvedeného jména neexistuje, nelze pokračovat.";
}

} // namespace

bool IsFilePresent(const std::string& sourceFolder, const std::string& name) {
    const std::vector<std::string> parts = nameParts(name);
    const std::string& last = parts.back();
    if (last.empty()) {
        return false;
    }
    std::string folder = withTrailingSeparator(sourceFolder);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (hasWildcard(part)) {
            return false; // Windows accepts wildcards only in the last part
        }
        if (part == "." || part == "..") {
            folder += part + kNativeSeparator;
            continue;
        }
        const auto entry = findEntry(folder, part);
        if (!entry || !entry->folder) {
            return false;
        }
        folder += entry->name + kNativeSeparator;
    }
    if (!hasWildcard(last)) {
        const FileAttributes exact = GetFileAttributes(folder + last);
        if (exact.exists && !exact.folder) {
            return true;
        }
    }
    return anyFileMatches(folder, last);
}

bool ValidateProject(ProjectSettings& project, const std::string& sourceFolder, Prompts& prompts,
                     ChangeLog* log) {
    bool passed = true;

    struct RequiredName {
        FieldId field;
        const std::string& value;
        const char* text;
    };
    const std::array<RequiredName, 3> required = {{
        {FieldId::AppName, project.AppName, "Jméno aplikace zadat musíte!"},
        {FieldId::DefaultDirName, project.DefaultDirName,
         "Jméno adresáře, kam se bude program instalovat zadat musíte!"},
        {FieldId::DefaultGroupName, project.DefaultGroupName,
         "Název programové skupiny zadat musíte, i když máte zaškrtnutou volbu \"nevytvářet "
         "žádné programové ikony\"!"},
    }};
    for (const auto& r : required) {
        if (r.value.empty()) {
            prompts.errorDialog(r.text);
            prompts.focusField(r.field);
            passed = false;
        }
    }

    for (const std::string* file :
         {&project.LicenceFile, &project.InfoBeforeFile, &project.InfoAfterFile}) {
        if (!file->empty() && !IsFilePresent(sourceFolder, *file)) {
            prompts.message("Na záložce \"Ostatní\" jste označil použití souboru " + *file +
                            ". Musíte ho nejprve vytvořit.");
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.FileName.empty() && !IsFilePresent(sourceFolder, icon.FileName)) {
            prompts.message(missingIconFileText(i, icon.FileName));
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.FileName.empty() && icon.IconFile.empty()) {
            setText(project, iconField(i, IconPart::IconFile), icon.FileName, log);
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if (!icon.IconFile.empty() && !IsFilePresent(sourceFolder, icon.IconFile)) {
            prompts.message(missingIconFileText(i, icon.IconFile));
            passed = false;
        }
    }

    for (int i = 0; i < kIconCount; ++i) {
        const IconEntry& icon = project.Icons[static_cast<std::size_t>(i)];
        if ((icon.OnDesktop || icon.InStartup) && icon.Name.empty()) {
            prompts.message("Pokud chcete vytvořit ikonu " + iconNumber(i) +
                            ", musíte o ní nejprve zadat nějaké údaje. Nelze pokračovat.");
            passed = false;
        }
    }

    return passed;
}

} // namespace tornavel
