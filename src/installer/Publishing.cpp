#include "installer/Publishing.h"

#include "platform/DecimalNumber.h"
#include "platform/Errors.h"

#include <cstdlib>

namespace tornavel {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The first of the texts that is not empty.
std::string firstOf(std::initializer_list<std::string> candidates) {
    for (const std::string& candidate : candidates) {
        if (!candidate.empty()) {
            return candidate;
        }
    }
    return {};
}

} // namespace

std::optional<std::int64_t> SourceDateEpoch() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (text == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> epoch = ParseNonNegativeDecimal(text);
    if (!epoch) {
        throw Error(Error::Kind::ProjectRefused,
                    "Proměnná SOURCE_DATE_EPOCH musí být čas v sekundách od roku 1970, ne „" +
                        std::string(text) + "“.");
    }
    return epoch;
}

PublishingOptions ResolvePublishing(const PublishingRequest& request,
                                    const PublishingSettings& settings) {
    PublishingOptions options;
    const bool fromSettings = settings.sign;
    SigningSettings signing;
    signing.certificate = firstOf({request.certificate, variable("TORNAVEL_SIGN_CERTIFICATE"),
                                   fromSettings ? settings.certificate : std::string()});
    if (!signing.certificate.empty()) {
        signing.key = firstOf({request.key, variable("TORNAVEL_SIGN_KEY"),
                               fromSettings ? settings.key : std::string()});
        // The password itself in the variable wins over the settings' file.
        signing.passwordFile = !request.passwordFile.empty() ? request.passwordFile
                               : std::getenv("TORNAVEL_SIGN_PASSWORD") != nullptr
                                   ? std::string()
                                   : (fromSettings ? settings.passwordFile : std::string());
        signing.timestampUrl = firstOf({request.timestampUrl, variable("TORNAVEL_TIMESTAMP_URL"),
                                        fromSettings ? settings.timestampUrl : std::string()});
        options.signing = signing;
    }
    const std::optional<std::int64_t> epoch = SourceDateEpoch();
    if (epoch || request.reproducible || settings.reproducible) {
        options.reproducibleEpoch = epoch.value_or(kFixedReproducibleEpoch);
    }
    return options;
}

AdapterSettings AdapterSettingsOf(const PublishingOptions& options) {
    AdapterSettings settings;
    if (options.signing) {
        settings.signCertificate = options.signing->certificate;
        settings.signKey = options.signing->key;
        settings.signPasswordFile = options.signing->passwordFile;
        settings.timestampUrl = options.signing->timestampUrl;
    }
    settings.reproducibleEpoch = options.reproducibleEpoch;
    return settings;
}

InnoSetup ResolveInnoSetup(const std::string& option, bool innoSetup6Setting) {
    const auto chosen = [](const std::string& text, const std::string& what) {
        const std::optional<InnoSetup> version = ParseInnoSetup(text);
        if (!version) {
            throw Error(Error::Kind::ProjectRefused,
                        what + " musí být 5 (Inno Setup 5.5.9) nebo 6 (Inno Setup 6.2), ne „" +
                            text + "“.");
        }
        return *version;
    };
    if (!option.empty()) {
        return chosen(option, "Volba --inno-setup");
    }
    if (const char* text = std::getenv("TORNAVEL_INNO_SETUP"); text != nullptr && *text != 0) {
        return chosen(text, "Proměnná TORNAVEL_INNO_SETUP");
    }
    return innoSetup6Setting ? InnoSetup::Six : InnoSetup::Five;
}

} // namespace tornavel
