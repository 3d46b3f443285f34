#pragma once

#include <string>
#include <string_view>

namespace tornavel {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// A relative name as the project and the script write it ("bin\app.exe")
// turned into the native form ("bin/app.exe" on POSIX).
std::string toNativeSeparators(std::string_view name);

// A native path turned into the form the installer script uses ("\" throughout).
std::string toScriptSeparators(std::string_view path);

// The path with the native separator appended unless it already ends with one.
std::string withTrailingSeparator(std::string path);

// The last component of a path (after the last separator of either kind).
std::string fileNameOf(std::string_view path);

// The folder of the running program file, with a trailing separator. Worked out
// from the executable's own path, never from the current folder.
std::string CurrentProgramFolder();

// The user's home folder: $HOME, else the password database's entry, else "/".
std::string HomeFolder();

// One of the user's base folders of the XDG conventions, with a trailing
// separator: the folder in the variable (XDG_CONFIG_HOME, XDG_DATA_HOME...)
// when it is absolute, else underHome in the home folder (".config").
// A relative value is ignored, as the conventions ask.
std::string UserBaseFolder(const char* variable, std::string_view underHome);

} // namespace tornavel
