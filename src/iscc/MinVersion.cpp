#include "iscc/MinVersion.h"

#include "iscc/ScriptLines.h"
#include "platform/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace tornavel::iscc {
namespace {

// What Inno Setup 6's own programs need, and its default MinVersion.
constexpr std::string_view kWindows7ServicePack1 = "6.1sp1";

// A version as the compilers write it: numbers separated by dots ("4",
// "4.1.2222", "5.01.2600"). Gives whether it is at least 5.0 and 6.1, and
// whether it is 0 (the family refused); nothing for any other text.
struct Version {
    bool zero = true;
    bool atLeastWindows2000 = false;
    bool atLeastWindows7 = false;
};

std::optional<Version> parseVersion(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    Version version;
    int position = 0;
    long major = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        const std::string_view number = text.substr(start, dot - start);
        if (number.empty() || number.size() > 9) {
            return std::nullopt;
        }
        long value = 0;
        for (char c : number) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return std::nullopt;
            }
            value = value * 10 + (c - '0');
        }
        if (position == 0) {
            major = value;
            version.atLeastWindows2000 = value >= 5;
            version.atLeastWindows7 = value > 6;
        } else if (position == 1 && major == 6) {
            version.atLeastWindows7 = value >= 1;
        }
        ++position;
        version.zero = version.zero && value == 0;
        start = dot + 1;
    }
    return version;
}

// The value the compiler gets for a MinVersion value, or nothing when the
// value is left as written.
struct Adaptation {
    bool refused = false;
    std::string value;
};

std::optional<Adaptation> adaptValue(std::string_view value, InnoSetup compiler) {
    const std::size_t comma = value.find(',');
    // A single version counts for both families.
    const std::string_view ntText =
        Trimmed(comma == std::string_view::npos ? value : value.substr(comma + 1));
    const std::string_view win9xText =
        Trimmed(comma == std::string_view::npos ? value : value.substr(0, comma));
    const std::optional<Version> nt = parseVersion(ntText);
    // An empty 9x part (a project without a 9x choice) becomes 0 like any other.
    if (!nt || (!win9xText.empty() && !parseVersion(win9xText))) {
        return std::nullopt;
    }
    if (nt->zero) {
        return Adaptation{true, {}};
    }
    const bool six = compiler == InnoSetup::Six;
    if (six && !nt->atLeastWindows7) {
        return Adaptation{false, std::string(kWindows7ServicePack1)};
    }
    // The compiler takes a single version it supports as it is.
    if (comma == std::string_view::npos && nt->atLeastWindows2000) {
        return std::nullopt;
    }
    return Adaptation{false, "0," + std::string(nt->atLeastWindows2000 ? ntText : "5.0")};
}

} // namespace

MinVersionBridge BridgeMinVersion(std::string_view script, InnoSetup compiler) {
    MinVersionBridge result;
    result.script.reserve(script.size());
    bool inSetup = false;
    bool refused = false;
    ForEachLine(script, [&](const ScriptLine& line) {
        if (refused) {
            return;
        }
        if (const auto section = SectionOf(line.text)) {
            inSetup = EqualIgnoringAsciiCase(*section, "Setup");
        }
        const auto name = DirectiveName(line.text);
        const auto adaptation = inSetup && name && EqualIgnoringAsciiCase(*name, "MinVersion")
                                    ? adaptValue(DirectiveValue(line.text), compiler)
                                    : std::nullopt;
        if (!adaptation) {
            result.script.append(line.text).append(line.end);
            return;
        }
        MinVersionLine edit{line.number, std::string(line.text), {}, compiler};
        if (adaptation->refused) {
            result = {MinVersionBridge::Verdict::NoSupportedVersion, {}, edit};
            refused = true;
            return;
        }
        // The value is replaced; what follows it (the blanks) stays.
        const std::size_t equals = line.text.find('=');
        const std::string_view afterEquals = line.text.substr(equals + 1);
        const std::size_t valueEnd = afterEquals.find_last_not_of(" \t") + 1;
        edit.adapted = std::string(line.text.substr(0, equals + 1)) + adaptation->value +
                       std::string(afterEquals.substr(valueEnd));
        if (edit.adapted != edit.original) {
            result.verdict = MinVersionBridge::Verdict::Adapted;
            result.line = edit;
        }
        result.script.append(edit.adapted).append(line.end);
    });
    if (!refused && result.verdict == MinVersionBridge::Verdict::Unchanged) {
        result.script = std::string(script);
    }
    return result;
}

namespace {

// A line as the messages quote it: without the blanks after the value.
std::string quoted(const std::string& line) {
    return "„" + std::string(Trimmed(line)) + "“";
}

} // namespace

std::string AdaptedLine(const MinVersionLine& line) {
    return "řádek " + std::to_string(line.number) + " " + quoted(line.original) + " jako " +
           quoted(line.adapted) +
           (line.compiler == InnoSetup::Six
                ? " (Inno Setup 6 podporuje jen Windows 7 SP1 a novější)"
                : " (Inno Setup 5.5 a novější nepodporuje Windows 95/98/Me ani Windows NT "
                  "starší než 2000)");
}

std::string RefusalMessage(const MinVersionLine& line) {
    return "iscc: Projekt nepovoluje žádnou verzi Windows, kterou podporuje " +
           std::string(line.compiler == InnoSetup::Six
                           ? "Inno Setup 6 (Windows 7 SP1 a novější)"
                           : "Inno Setup 5.5 a novější (Windows 2000 a novější)") +
           ": Windows NT je zakázáno a Windows 95/98/Me kompilátor nepodporuje (řádek " +
           std::to_string(line.number) + " " + quoted(line.original) +
           "). Zvolte v části „Minimální verze Win NT“ některou verzi.";
}

} // namespace tornavel::iscc
