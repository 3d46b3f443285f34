#pragma once

#include "project/ProgramSettings.h"
#include "wine/AdapterProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tornavel {

// What makes an installer fit to publish beyond its script: a signature on the
// installer and its uninstaller, and reproducible bytes. The compiler adapter
// (iscc) carries them out; the build only hands them on.

struct SigningSettings {
    std::string certificate; // PKCS#12, or a PEM certificate
    std::string key;         // a PEM key of its own; empty: in the certificate's file
    // A file whose first line is the password; empty: the variable
    // TORNAVEL_SIGN_PASSWORD, or no password. The password itself is never
    // written anywhere.
    std::string passwordFile;
    std::string timestampUrl; // empty: no timestamp
};

struct PublishingOptions {
    std::optional<SigningSettings> signing;
    // Set: every installed file, and the signatures, carry this time
    // (seconds since 1970, UTC), so the same files give the same installer.
    std::optional<std::int64_t> reproducibleEpoch;
};

// The time of reproducible installers when SOURCE_DATE_EPOCH names none:
// 2000-01-01 00:00:00 UTC.
inline constexpr std::int64_t kFixedReproducibleEpoch = 946684800;

// $SOURCE_DATE_EPOCH as a time; nothing when it is not set. Throws
// Error(ProjectRefused) naming the variable when it holds no valid time, as a
// build must not silently lose its reproducibility.
std::optional<std::int64_t> SourceDateEpoch();

// What the command line asks for (every item optional).
struct PublishingRequest {
    std::string certificate;
    std::string key;
    std::string passwordFile;
    std::string timestampUrl;
    bool reproducible = false;
};

// The options of a build: each item from the command line, else from its
// environment variable (TORNAVEL_SIGN_CERTIFICATE, TORNAVEL_SIGN_KEY,
// TORNAVEL_TIMESTAMP_URL; TORNAVEL_SIGN_PASSWORD holds the password itself),
// else from the window's settings (signing only when they say so).
// Reproducible when asked on the command line or in the settings, or when
// SOURCE_DATE_EPOCH is set; its time is SOURCE_DATE_EPOCH, else the fixed one.
PublishingOptions ResolvePublishing(const PublishingRequest& request,
                                    const PublishingSettings& settings);

// The settings of the compiler adapter that carry them.
AdapterSettings AdapterSettingsOf(const PublishingOptions& options);

// The compiler of a build: the command line's choice ("5", "6"; empty: none),
// else the variable TORNAVEL_INNO_SETUP, else the window's setting
// (innoSetup6Setting). Throws Error(ProjectRefused) naming the option or the
// variable when it holds anything else.
InnoSetup ResolveInnoSetup(const std::string& option, bool innoSetup6Setting);

} // namespace tornavel
