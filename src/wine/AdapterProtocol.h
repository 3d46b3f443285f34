#pragma once

#include "platform/Errors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// How the build talks to the compiler adapter (iscc), which runs the Windows
// compiler under wine: its options, its exit codes of its own and the marks it
// leaves. The build writes the options with AdapterOptions, the adapter reads
// them with ReadAdapterOptions; nobody else spells them.
//
//   iscc [ADAPTER OPTIONS...] [COMPILER OPTIONS...] SCRIPT
//   iscc --prepare-prefix

inline constexpr std::string_view kSignCertificateOption = "--sign-certificate=";
inline constexpr std::string_view kSignKeyOption = "--sign-key=";
inline constexpr std::string_view kSignPasswordFileOption = "--sign-password-file=";
inline constexpr std::string_view kTimestampUrlOption = "--timestamp-url=";
inline constexpr std::string_view kReproducibleOption = "--reproducible=";
inline constexpr std::string_view kLingerOption = "--linger=";
// The compiler to run: "6" for Inno Setup 6; without it, 5.5.9.
inline constexpr std::string_view kInnoSetupOption = "--inno-setup=";
// Alone on the command line: only make the wine prefix, ahead of a build.
inline constexpr std::string_view kPreparePrefixOption = "--prepare-prefix";

// The longest a wine server may be asked to linger, in seconds (a day).
inline constexpr std::int64_t kLongestLinger = 86400;

// The adapter's own exit codes; any other is the compiler's.
inline constexpr int kAdapterCannotRunExitCode = 1; // nor sign
inline constexpr int kNoSupportedWindowsExitCode = 2;
inline constexpr int kBrokenWinePrefixExitCode = 4; // wine cannot start in the prefix
// Disk spanning onto disks too small for Inno Setup 6's setup program.
inline constexpr int kDisksTooSmallExitCode = 5;

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

// The build's side: the options that carry the settings, each only when set.
std::vector<std::string> AdapterOptions(const AdapterSettings& settings);

// The adapter's side: its settings among the options (everything before the
// script), the others handed on to the compiler in their order.
struct AdapterCommandLine {
    AdapterSettings settings;
    std::vector<std::string> compilerOptions;
};
// Throws Error (ProjectRefused) with a Czech message when a time, a number
// of seconds or a compiler is not one.
AdapterCommandLine ReadAdapterOptions(const std::vector<std::string>& options);

} // namespace tornavel
