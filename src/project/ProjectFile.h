#pragma once

#include "project/ProjectSettings.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tornavel {

// The two orders in which a project's keys reach the file. They differ only in
// where the section "Soubory" stands when it is new to the file.
enum class SaveOrder {
    SaveAs, // "Nastavení", "Diskety", "Soubory", "Ostatní", "Ikony", "INI", "Vydání"
    Save,   // "Nastavení", "Diskety", "Ostatní", "Soubory", "Ikony", "INI", "Vydání"
};

// Writes all 85 keys of the project into the INI file at path (native path),
// keeping every other section and key of an existing file. The file is replaced
// whole and atomically: on failure (IniWriteError "Unable to write to <path>",
// EncodingError for a text Windows-1250 cannot hold, ValueTooLongError naming
// the field of a text the file could not give back whole) it stays as it was.
// Every value reads back unchanged with LoadProject.
void SaveProject(const ProjectSettings& project, const std::string& path, SaveOrder order);

// The largest project file Open reads; a project holds 85 keys.
inline constexpr long long kMaxProjectFileSize = 1024LL * 1024;

// Reads the project's keys from the INI file at path into project, key by key
// in file-format order, each stored at once through setField (so the rule on
// Win and WinNT applies as the file is read). A key that is missing or whose
// value cannot be read as its type leaves its field as it was. Changed fields
// are logged in order. The file may be Windows-1250 or UTF-8 or UTF-16 that
// another program wrote. Throws, before anything changes, Error naming the
// file when it is not one: missing or unreadable (InOutError), a folder, not
// a plain file (a pipe, a device), larger than kMaxProjectFileSize, holding a
// character Windows-1250 lacks, or holding none of the project's sections.
void LoadProject(const std::string& path, ProjectSettings& project, ChangeLog* log = nullptr);

// Integer reading of the project file: decimal with an optional sign, or
// hexadecimal after "$", "0x" or "0X"; nullopt for anything else or a value
// outside 32 bits.
std::optional<long long> parseProfileInteger(std::string_view text);

// Every key of the project file with the value Save would write, in the order
// of a new file (section by section as Save As writes them).
std::vector<std::pair<std::string, std::string>> ProjectKeyValues(const ProjectSettings& project);

} // namespace tornavel
