#include "iscc/CompilerCopy.h"

#include "iscc/ScriptLines.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1250.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace tornavel::iscc {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A default of the compiler that differs from 5.1.12's, and the value that
// gives the old behaviour; or, for Inno Setup 6 only, a directive the copy
// sets unless the script does.
struct Bridge {
    std::string_view name;
    std::string_view value;
    bool onlyWithDiskSpanning = false;
    bool onlyForSix = false;
};

constexpr std::int64_t kFloppySlice = 1457664; // 5.1.12's DiskSliceSize

constexpr Bridge kBridges[] = {
    {"DisableWelcomePage", "no"},
    {"DisableDirPage", "no"},
    {"DisableProgramGroupPage", "no"},
    {"UsePreviousLanguage", "no"},
    {"CloseApplications", "no"},
    {"DefaultDialogFontName", ""},
    {"DiskSliceSize", "1457664", true},
    {"WizardStyle", "modern", false, true},
    {"UsedUserAreasWarning", "no", false, true},
};

// The constants Inno Setup 6 renamed that 5.1.12's scripts use.
constexpr std::pair<std::string_view, std::string_view> kRenamedConstants[] = {
    {"pf", "commonpf"}, {"fonts", "commonfonts"}};

// [Setup] directives whose value is a path at compile time: a brace there is
// no constant.
constexpr std::string_view kCompileTimePaths[] = {
    "LicenseFile", "InfoBeforeFile", "InfoAfterFile",     "OutputDir",
    "SourceDir",   "SetupIconFile",  "OutputBaseFilename"};

// A script as the copy is made from it: UTF-8, from Windows-1250 unless it
// carries a byte-order mark.
std::string scriptText(std::string_view script) {
    return script.starts_with(kByteOrderMark) ? std::string(script.substr(kByteOrderMark.size()))
                                              : fromCp1250(script);
}

bool isYes(std::string_view value) {
    return EqualIgnoringAsciiCase(value, "yes") || EqualIgnoringAsciiCase(value, "true") ||
           value == "1";
}

// Calls visit(start, parameter) for each parameter of an entry ("Name:
// value", between semicolons; semicolons inside quoted values do not part
// parameters), in order, until visit returns true.
template <class Visit> void forEachParameter(std::string_view entry, Visit visit) {
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= entry.size(); ++i) {
        if (i < entry.size() && entry[i] == '"') {
            quoted = !quoted;
        }
        if (i < entry.size() && (quoted || entry[i] != ';')) {
            continue;
        }
        if (visit(start, entry.substr(start, i - start))) {
            return;
        }
        start = i + 1;
    }
}

// A parameter's name, trimmed; empty for a text without a colon.
std::string_view parameterName(std::string_view parameter) {
    const std::size_t colon = parameter.find(':');
    return colon == std::string_view::npos ? std::string_view()
                                           : Trimmed(parameter.substr(0, colon));
}

// A [Files] entry with "touch" among its flags: added to its Flags parameter,
// or as a parameter of its own.
std::string withTouchFlag(std::string_view entry) {
    std::optional<std::string> touched;
    forEachParameter(entry, [&](std::size_t start, std::string_view parameter) {
        if (!EqualIgnoringAsciiCase(parameterName(parameter), "Flags")) {
            return false;
        }
        const std::size_t flagsEnd = start + parameter.find_last_not_of(" \t") + 1;
        touched =
            std::string(entry.substr(0, flagsEnd)) + " touch" + std::string(entry.substr(flagsEnd));
        return true;
    });
    if (touched) {
        return *touched;
    }
    const std::string_view text = Trimmed(entry);
    return std::string(entry) + (text.empty() || text.back() == ';' ? " " : "; ") + "Flags: touch";
}

// The text with the constants Inno Setup 6 renamed under their new names;
// each name renamed goes to renamed once.
std::string withRenamedConstants(std::string_view text, std::vector<std::string_view>& renamed) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            out += "{{"; // a literal brace
            ++i;
            continue;
        }
        const std::size_t close = text.find('}', i);
        const std::string_view name = close == std::string_view::npos
                                          ? std::string_view()
                                          : text.substr(i + 1, close - i - 1);
        const auto* rename = std::find_if(
            std::begin(kRenamedConstants), std::end(kRenamedConstants),
            [&](const auto& constant) { return EqualIgnoringAsciiCase(constant.first, name); });
        if (rename == std::end(kRenamedConstants)) {
            out += '{';
            continue;
        }
        out += "{" + std::string(rename->second) + "}";
        if (std::find(renamed.begin(), renamed.end(), rename->first) == renamed.end()) {
            renamed.push_back(rename->first);
        }
        i = close;
    }
    return out;
}

// A [Files] entry with its constants renamed, but for its Source, which the
// compiler takes literally.
std::string filesEntryWithRenamedConstants(std::string_view entry,
                                           std::vector<std::string_view>& renamed) {
    std::string out;
    forEachParameter(entry, [&](std::size_t start, std::string_view parameter) {
        if (start > 0) {
            out += ';';
        }
        out += EqualIgnoringAsciiCase(parameterName(parameter), "Source")
                   ? std::string(parameter)
                   : withRenamedConstants(parameter, renamed);
        return false;
    });
    return out;
}

// A line of the script as Inno Setup 6 must get it: its constants renamed
// where the compiler expands them.
std::string lineForSix(std::string_view section, const std::optional<std::string_view>& directive,
                       std::string_view line, std::vector<std::string_view>& renamed) {
    const std::string_view text = Trimmed(line);
    if (text.empty() || text.front() == ';') {
        return std::string(line);
    }
    if (EqualIgnoringAsciiCase(section, "Files")) {
        return filesEntryWithRenamedConstants(line, renamed);
    }
    const bool literal =
        directive && std::any_of(std::begin(kCompileTimePaths), std::end(kCompileTimePaths),
                                 [&](std::string_view name) {
                                     return EqualIgnoringAsciiCase(name, *directive);
                                 });
    return literal ? std::string(line) : withRenamedConstants(line, renamed);
}

// A size as DiskSliceSize and ReserveBytes give it; nothing for "max" or no
// number.
std::optional<std::int64_t> sizeOf(std::string_view value) {
    if (value.empty() || value.size() > 12) {
        return std::nullopt;
    }
    std::int64_t size = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        size = size * 10 + (c - '0');
    }
    return size;
}

std::string utcText(std::int64_t epoch, const char* format) {
    const std::time_t time = static_cast<std::time_t>(epoch);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, format, &parts);
    return buffer;
}

} // namespace

std::string TouchDateOf(std::int64_t epoch) {
    return utcText(epoch, "%Y-%m-%d");
}

std::string TouchTimeOf(std::int64_t epoch) {
    return utcText(epoch, "%H:%M:%S");
}

std::optional<std::int64_t> TooSmallFirstDiskForSix(std::string_view script) {
    bool diskSpanning = false;
    std::optional<std::int64_t> sliceSize = kFloppySlice;
    std::int64_t reserve = 0;
    ForEachSetupDirective(scriptText(script), [&](std::string_view name, std::string_view value) {
        if (EqualIgnoringAsciiCase(name, "DiskSpanning")) {
            diskSpanning = isYes(value);
        } else if (EqualIgnoringAsciiCase(name, "DiskSliceSize")) {
            sliceSize = sizeOf(value);
        } else if (EqualIgnoringAsciiCase(name, "ReserveBytes")) {
            reserve = sizeOf(value).value_or(0);
        }
    });
    if (diskSpanning && sliceSize && *sliceSize - reserve < kSmallestFirstDiskForSix) {
        return *sliceSize - reserve;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> WizardTextFilesOf(std::string_view script) {
    std::vector<std::pair<std::string, std::string>> files;
    ForEachSetupDirective(scriptText(script), [&](std::string_view name, std::string_view value) {
        for (const std::string_view file : {"LicenseFile", "InfoBeforeFile", "InfoAfterFile"}) {
            if (EqualIgnoringAsciiCase(name, file)) {
                files.emplace_back(file, value);
            }
        }
    });
    return files;
}

std::optional<std::string> WithByteOrderMark(std::string_view fileName, std::string_view bytes) {
    const bool text = fileName.size() >= 4 &&
                      EqualIgnoringAsciiCase(fileName.substr(fileName.size() - 4), ".txt");
    if (!text || bytes.starts_with(kByteOrderMark)) {
        return std::nullopt;
    }
    bool beyondAscii = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        beyondAscii = beyondAscii || static_cast<unsigned char>(bytes[pos]) >= 0x80;
        if (!decodeUtf8(bytes, pos, Utf8Mode::Strict)) {
            return std::nullopt; // Windows-1250, as the script's own code page
        }
    }
    if (!beyondAscii) {
        return std::nullopt;
    }
    return std::string(kByteOrderMark) + std::string(bytes);
}

CompilerCopy MakeCompilerCopy(std::string_view script, const CopyOptions& options) {
    const std::string utf8 = scriptText(script);

    // The directives the copy must carry whatever the script says.
    std::vector<std::pair<std::string, std::string>> forced = options.replaced;
    forced.emplace_back("SourceDir", options.sourceDir);
    if (options.reproducibleEpoch) {
        forced.insert(forced.end(), {{"TimeStampsInUTC", "yes"},
                                     {"TouchDate", TouchDateOf(*options.reproducibleEpoch)},
                                     {"TouchTime", TouchTimeOf(*options.reproducibleEpoch)}});
    }
    if (!options.signedUninstallerDir.empty()) {
        forced.insert(forced.end(), {{"SignedUninstaller", "yes"},
                                     {"SignedUninstallerDir", options.signedUninstallerDir}});
    }
    std::vector<bool> placed(forced.size(), false);
    bool outputDirPlaced = false;
    const auto outputDirLine = [&options](std::string_view folder) {
        return "OutputDir=" + std::string(folder) + "\\" + options.outputSubfolder;
    };

    CompilerCopy copy;
    copy.text = kByteOrderMark;
    copy.text.reserve(utf8.size() + 512);
    copy.outputDir = "Output";
    copy.outputBaseFilename = "mysetup";
    std::vector<std::string> setByScript;
    bool diskSpanning = false;
    const bool six = options.compiler == InnoSetup::Six;
    bool droppedLanguagesDirective = false;
    std::vector<std::string_view> renamed;
    std::string_view section;
    ForEachLine(utf8, [&](const ScriptLine& line) {
        if (const auto name = SectionOf(line.text)) {
            section = *name;
        }
        const auto directive =
            EqualIgnoringAsciiCase(section, "Setup") ? DirectiveName(line.text) : std::nullopt;
        if (directive) {
            setByScript.emplace_back(*directive);
            const std::string_view value = DirectiveValue(line.text);
            if (EqualIgnoringAsciiCase(*directive, "OutputDir")) {
                copy.outputDir = value;
                if (!options.outputSubfolder.empty()) {
                    copy.text += outputDirLine(value);
                    copy.text += line.end;
                    outputDirPlaced = true;
                    return;
                }
            } else if (EqualIgnoringAsciiCase(*directive, "OutputBaseFilename")) {
                copy.outputBaseFilename = value;
            } else if (EqualIgnoringAsciiCase(*directive, "DiskSpanning")) {
                diskSpanning = isYes(value);
            } else if (six && EqualIgnoringAsciiCase(*directive, "ShowUndisplayableLanguages")) {
                // A comment keeps the line's number.
                copy.text += ";" + std::string(line.text) + std::string(line.end);
                droppedLanguagesDirective = true;
                return;
            }
            for (std::size_t i = 0; i < forced.size(); ++i) {
                if (EqualIgnoringAsciiCase(*directive, forced[i].first)) {
                    copy.text += forced[i].first + "=" + forced[i].second;
                    copy.text += line.end;
                    placed[i] = true;
                    return;
                }
            }
        }
        const std::string_view text = Trimmed(line.text);
        const std::string body =
            six ? lineForSix(section, directive, line.text, renamed) : std::string(line.text);
        if (options.reproducibleEpoch && EqualIgnoringAsciiCase(section, "Files") &&
            !text.empty() && text.front() != ';' && text.front() != '[') {
            copy.text += withTouchFlag(body);
        } else {
            copy.text += body;
        }
        copy.text += line.end;
    });
    if (droppedLanguagesDirective) {
        copy.changedForSix.emplace_back(
            "bez ShowUndisplayableLanguages, kterou Inno Setup 6 nezná");
    }
    for (const std::string_view name : renamed) {
        const auto* rename =
            std::find_if(std::begin(kRenamedConstants), std::end(kRenamedConstants),
                         [&](const auto& c) { return c.first == name; });
        copy.changedForSix.push_back("{" + std::string(name) + "} jako {" +
                                     std::string(rename->second) + "}");
    }

    if (!copy.text.ends_with('\n') && copy.text.size() > kByteOrderMark.size()) {
        copy.text += "\r\n";
    }
    copy.text += "[Setup]\r\n";
    if (!options.outputSubfolder.empty() && !outputDirPlaced) {
        copy.text += outputDirLine(copy.outputDir) + "\r\n";
    }
    for (std::size_t i = 0; i < forced.size(); ++i) {
        if (!placed[i]) {
            copy.text += forced[i].first + "=" + forced[i].second + "\r\n";
        }
    }
    for (const Bridge& bridge : kBridges) {
        const bool set =
            std::any_of(setByScript.begin(), setByScript.end(), [&](const std::string& n) {
                return EqualIgnoringAsciiCase(n, bridge.name);
            });
        if (set || (bridge.onlyWithDiskSpanning && !diskSpanning) || (bridge.onlyForSix && !six)) {
            continue;
        }
        const std::string line = std::string(bridge.name) + "=" + std::string(bridge.value);
        copy.text += line + "\r\n";
        (bridge.onlyForSix ? copy.changedForSix : copy.bridged).push_back(line);
    }
    return copy;
}

} // namespace tornavel::iscc
