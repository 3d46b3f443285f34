#include "wine/AdapterProtocol.h"

#include "platform/DecimalNumber.h"

namespace tornavel {
namespace {

// The value of an option given as "--name=value".
std::optional<std::string> valueOf(const std::string& arg, std::string_view option) {
    if (arg.starts_with(option)) {
        return arg.substr(option.size());
    }
    return std::nullopt;
}

std::string optionName(std::string_view option) {
    return std::string(option.substr(0, option.size() - 1)); // without "="
}

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

std::vector<std::string> AdapterOptions(const AdapterSettings& settings) {
    std::vector<std::string> options;
    auto add = [&options](std::string_view option, const std::string& value) {
        if (!value.empty()) {
            options.push_back(std::string(option) + value);
        }
    };
    if (!settings.signCertificate.empty()) {
        add(kSignCertificateOption, settings.signCertificate);
        add(kSignKeyOption, settings.signKey);
        add(kSignPasswordFileOption, settings.signPasswordFile);
        add(kTimestampUrlOption, settings.timestampUrl);
    }
    if (settings.reproducibleEpoch) {
        add(kReproducibleOption, std::to_string(*settings.reproducibleEpoch));
    }
    if (settings.lingerSeconds > 0) {
        add(kLingerOption, std::to_string(settings.lingerSeconds));
    }
    if (settings.innoSetup == InnoSetup::Six) {
        add(kInnoSetupOption, "6");
    }
    return options;
}

AdapterCommandLine ReadAdapterOptions(const std::vector<std::string>& options) {
    AdapterCommandLine read;
    AdapterSettings& settings = read.settings;
    for (const std::string& arg : options) {
        if (auto v = valueOf(arg, kSignCertificateOption)) {
            settings.signCertificate = *v;
        } else if (auto v = valueOf(arg, kSignKeyOption)) {
            settings.signKey = *v;
        } else if (auto v = valueOf(arg, kSignPasswordFileOption)) {
            settings.signPasswordFile = *v;
        } else if (auto v = valueOf(arg, kTimestampUrlOption)) {
            settings.timestampUrl = *v;
        } else if (auto v = valueOf(arg, kReproducibleOption)) {
            settings.reproducibleEpoch = ParseNonNegativeDecimal(*v);
            if (!settings.reproducibleEpoch) {
                throw Error(Error::Kind::ProjectRefused,
                            "Volba " + optionName(kReproducibleOption) +
                                " potřebuje čas v sekundách od roku 1970, ne „" + *v + "“.");
            }
        } else if (auto v = valueOf(arg, kLingerOption)) {
            const std::optional<std::int64_t> seconds = ParseNonNegativeDecimal(*v);
            if (!seconds || *seconds > kLongestLinger) {
                throw Error(Error::Kind::ProjectRefused, "Volba " + optionName(kLingerOption) +
                                                             " potřebuje počet sekund (0 až " +
                                                             std::to_string(kLongestLinger) +
                                                             "), ne „" + *v + "“.");
            }
            settings.lingerSeconds = static_cast<int>(*seconds);
        } else if (auto v = valueOf(arg, kInnoSetupOption)) {
            const std::optional<InnoSetup> innoSetup = ParseInnoSetup(*v);
            if (!innoSetup) {
                throw Error(Error::Kind::ProjectRefused, "Volba " + optionName(kInnoSetupOption) +
                                                             " potřebuje 5 nebo 6, ne „" + *v +
                                                             "“.");
            }
            settings.innoSetup = *innoSetup;
        } else {
            read.compilerOptions.push_back(arg);
        }
    }
    return read;
}

} // namespace tornavel
