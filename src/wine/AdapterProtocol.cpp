#include "wine/AdapterProtocol.h"

#include "platform/DecimalNumber.h"

#include <array>

namespace tornavel {
namespace {

constexpr std::array<const char*, 7> kSettingVariables = {
    kSignCertificateVariable, kSignKeyVariable, kSignPasswordFileVariable, kTimestampUrlVariable,
    kReproducibleVariable,    kLingerVariable,  kInnoSetupVariable};

} // namespace

std::optional<InnoSetup> ParseInnoSetup(std::string_view text) {
    if (text == "5") {
        return InnoSetup::Five;
    }
    if (text == "6") {
        return InnoSetup::Six;
    }
    return std::nullopt;
}

std::vector<std::string> AdapterEnvironment(const AdapterSettings& settings) {
    std::vector<std::string> changes;
    auto put = [&changes](const char* variable, const std::string& value) {
        changes.push_back(value.empty() ? std::string(variable)
                                        : std::string(variable) + "=" + value);
    };
    const bool signs = !settings.signCertificate.empty();
    put(kSignCertificateVariable, settings.signCertificate);
    put(kSignKeyVariable, signs ? settings.signKey : "");
    put(kSignPasswordFileVariable, signs ? settings.signPasswordFile : "");
    put(kTimestampUrlVariable, signs ? settings.timestampUrl : "");
    put(kReproducibleVariable,
        settings.reproducibleEpoch ? std::to_string(*settings.reproducibleEpoch) : "");
    put(kLingerVariable, settings.lingerSeconds > 0 ? std::to_string(settings.lingerSeconds) : "");
    put(kInnoSetupVariable, settings.innoSetup == InnoSetup::Six ? "6" : "");
    if (!signs || !settings.signPasswordFile.empty()) {
        changes.emplace_back(kSignPasswordVariable);
    }
    return changes;
}

std::vector<std::string> NoAdapterEnvironment() {
    std::vector<std::string> changes(kSettingVariables.begin(), kSettingVariables.end());
    changes.emplace_back(kSignPasswordVariable);
    return changes;
}

AdapterSettings ReadAdapterSettings(const std::function<const char*(const char*)>& lookup) {
    auto value = [&lookup](const char* variable) {
        const char* text = lookup(variable);
        return std::string(text ? text : "");
    };
    AdapterSettings settings;
    settings.signCertificate = value(kSignCertificateVariable);
    settings.signKey = value(kSignKeyVariable);
    settings.signPasswordFile = value(kSignPasswordFileVariable);
    settings.timestampUrl = value(kTimestampUrlVariable);
    if (const std::string epoch = value(kReproducibleVariable); !epoch.empty()) {
        settings.reproducibleEpoch = ParseNonNegativeDecimal(epoch);
        if (!settings.reproducibleEpoch) {
            throw Error(Error::Kind::ProjectRefused,
                        std::string("Proměnná ") + kReproducibleVariable +
                            " potřebuje čas v sekundách od roku 1970, ne „" + epoch + "“.");
        }
    }
    if (const std::string linger = value(kLingerVariable); !linger.empty()) {
        const std::optional<std::int64_t> seconds = ParseNonNegativeDecimal(linger);
        if (!seconds || *seconds > kLongestLinger) {
            throw Error(Error::Kind::ProjectRefused, std::string("Proměnná ") + kLingerVariable +
                                                         " potřebuje počet sekund (0 až " +
                                                         std::to_string(kLongestLinger) +
                                                         "), ne „" + linger + "“.");
        }
        settings.lingerSeconds = static_cast<int>(*seconds);
    }
    if (const std::string compiler = value(kInnoSetupVariable); !compiler.empty()) {
        const std::optional<InnoSetup> innoSetup = ParseInnoSetup(compiler);
        if (!innoSetup) {
            throw Error(Error::Kind::ProjectRefused, std::string("Proměnná ") + kInnoSetupVariable +
                                                         " potřebuje 5 nebo 6, ne „" + compiler +
                                                         "“.");
        }
        settings.innoSetup = *innoSetup;
    }
    return settings;
}

} // namespace tornavel
