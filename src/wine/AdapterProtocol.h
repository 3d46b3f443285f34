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
// Alone on the command line: only make the wine prefix, ahead of a build.
inline constexpr std::string_view kPreparePrefixOption = "--prepare-prefix";

// The longest a wine server may be asked to linger, in seconds (a day).
inline constexpr std::int64_t kLongestLinger = 86400;

// The adapter's own exit codes; any other is the compiler's.
inline constexpr int kAdapterCannotRunExitCode = 1; // nor sign
inline constexpr int kNoSupportedWindowsExitCode = 2;
inline constexpr int kBrokenWinePrefixExitCode = 4; // wine cannot start in the prefix

// What the adapter says while the prefix is being made, the one slow step of
// a first build; the front ends show it as progress.
inline constexpr const char* kPreparingPrefixNotice = "Připravuji prostředí wine, jen poprvé…";

// Written into the prefix once it has been made and set up.
inline constexpr const char* kWinePrefixReadyMarker = ".tornavel-ready";

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
};

// The build's side: the options that carry the settings, each only when set.
std::vector<std::string> AdapterOptions(const AdapterSettings& settings);

// The adapter's side: its settings among the options (everything before the
// script), the others handed on to the compiler in their order.
struct AdapterCommandLine {
    AdapterSettings settings;
    std::vector<std::string> compilerOptions;
};
// Throws Error (ProjectRefused) with a Czech message when a time or a number
// of seconds is not one.
AdapterCommandLine ReadAdapterOptions(const std::vector<std::string>& options);

} // namespace tornavel
