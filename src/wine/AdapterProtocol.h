#pragma once

#include "platform/Errors.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// How the build talks to the compiler adapter (iscc), which runs the Windows
// compiler under wine: its settings, its exit codes of its own and the marks it
// leaves. The command line is the compiler's alone, as any compiler takes it;
// the adapter's settings travel in its environment. The build writes them with
// AdapterEnvironment, the adapter reads them with ReadAdapterSettings; nobody
// else spells them.
//
//   iscc [COMPILER OPTIONS...] SCRIPT
//   iscc --prepare-prefix
//   iscc --help

inline constexpr const char* kSignCertificateVariable = "TORNAVEL_ISCC_SIGN_CERTIFICATE";
inline constexpr const char* kSignKeyVariable = "TORNAVEL_ISCC_SIGN_KEY";
inline constexpr const char* kSignPasswordFileVariable = "TORNAVEL_ISCC_SIGN_PASSWORD_FILE";
inline constexpr const char* kTimestampUrlVariable = "TORNAVEL_ISCC_TIMESTAMP_URL";
inline constexpr const char* kReproducibleVariable = "TORNAVEL_ISCC_REPRODUCIBLE";
inline constexpr const char* kLingerVariable = "TORNAVEL_ISCC_LINGER";
// The compiler to run: "6" for Inno Setup 6; unset, 5.5.9.
inline constexpr const char* kInnoSetupVariable = "TORNAVEL_ISCC_INNO_SETUP";
// The key's password itself, the user's variable: it reaches the adapter, and
// no other program, only when the adapter signs with it.
inline constexpr const char* kSignPasswordVariable = "TORNAVEL_SIGN_PASSWORD";
// Alone on the command line: only make the wine prefix, ahead of a build.
inline constexpr std::string_view kPreparePrefixOption = "--prepare-prefix";

// The folder the compiler writes its installer into, inside the installer's
// own folder: the installer and its slices are moved out of it only once the
// compile (and signature) is complete, so nothing unfinished ever bears the
// installer's name. One that a killed compile left is nobody's.
inline constexpr std::string_view kUnfinishedOutputPrefix = ".tornavel-nedokonceno-";

// The longest a wine server may be asked to linger, in seconds (a day).
inline constexpr std::int64_t kLongestLinger = 86400;

// The adapter's own exit codes; any other is the compiler's.
inline constexpr int kAdapterCannotRunExitCode = 1; // nor sign
inline constexpr int kNoSupportedWindowsExitCode = 2;
inline constexpr int kBrokenWinePrefixExitCode = 4; // wine cannot start in the prefix
// Disk spanning onto disks too small for Inno Setup 6's setup program.
inline constexpr int kDisksTooSmallExitCode = 5;

// How each line of the adapter's own failures begins, so that the build
// quotes it as the reason of the failed compile.
inline constexpr std::string_view kAdapterErrorMark = "iscc: Chyba: ";

// What the adapter says while the prefix is being made, the one slow step of
// a first build; the front ends show it as progress.
inline constexpr const char* kPreparingPrefixNotice = "Připravuji prostředí wine, jen poprvé…";

// Written into the prefix once it has been made and set up.
inline constexpr const char* kWinePrefixReadyMarker = ".tornavel-ready";

// The compilers a build can choose: Inno Setup 5.5.9, the default, or 6.2.0
// with the modern wizard and sharp pictures at high DPI.
enum class InnoSetup { Five = 5, Six = 6 };

// "5" or "6" as the option, the variable TORNAVEL_INNO_SETUP and the
// settings file write it; nothing for any other text.
std::optional<InnoSetup> ParseInnoSetup(std::string_view text);

// What the build asks of the adapter beyond compiling the script.
struct AdapterSettings {
    // Sign the installer and its uninstaller with this PKCS#12 file or PEM
    // certificate; empty: unsigned, and the other signing items are unused.
    std::string signCertificate;
    std::string signKey;          // a PEM key of its own
    std::string signPasswordFile; // the key's password in its first line
    std::string timestampUrl;
    // Fixed times (seconds since 1970, UTC) for every installed file and the
    // signatures.
    std::optional<std::int64_t> reproducibleEpoch;
    // Keep wine's server up this long after the compile; 0: wine's own time.
    int lingerSeconds = 0;
    InnoSetup innoSetup = InnoSetup::Five;
};

// The build's side: the environment changes that carry the settings, each
// variable set when given and removed otherwise (so nothing of an outer
// environment passes for a setting), and kSignPasswordVariable removed
// unless the adapter signs without a password file.
std::vector<std::string> AdapterEnvironment(const AdapterSettings& settings);
// The environment changes for a compiler that is not the adapter: none of
// the settings, and no password.
std::vector<std::string> NoAdapterEnvironment();

// The adapter's side: its settings from the variables (a missing one is
// unset), as lookup gives them (getenv for the adapter). Throws Error
// (ProjectRefused) with a Czech message when a time, a number of seconds or
// a compiler is not one.
AdapterSettings ReadAdapterSettings(const std::function<const char*(const char*)>& lookup);

} // namespace tornavel
