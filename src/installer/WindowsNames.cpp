#include "installer/WindowsNames.h"

#include "platform/AsciiCase.h"
#include "platform/Cp1250.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>

namespace tornavel {
namespace {

// ASCII bytes a name may hold as they are.
constexpr std::array<bool, 128> plainNameBytes() {
    std::array<bool, 128> plain{};
    for (std::size_t c = ' '; c < plain.size(); ++c) {
        plain[c] = kForbiddenInWindowsNames.find(static_cast<char>(c)) == std::string_view::npos;
    }
    return plain;
}
constexpr std::array<bool, 128> kPlainNameByte = plainNameBytes();

// WindowsDeviceName for a name whose first dot is known.
std::string reservedDevice(std::string_view name, std::size_t firstDot) {
    std::string_view stem = name.substr(0, firstDot);
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    if (stem.size() < 3 || stem.size() > 7) {
        return {}; // most names: no device is shorter or longer
    }
    std::string device;
    for (char c : stem) {
        device += AsciiUpper(c);
    }
    for (std::string_view reserved : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (device == reserved) {
            return device;
        }
    }
    const bool numbered = device.size() == 4 && device[3] >= '1' && device[3] <= '9' &&
                          (device.starts_with("COM") || device.starts_with("LPT"));
    return numbered ? device : std::string();
}

// The problem of a name's characters beyond ASCII, checked one by one.
std::string characterProblem(std::string_view name) {
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t start = pos;
        if (static_cast<unsigned char>(name[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const auto c = decodeUtf8(name, pos, Utf8Mode::Strict);
        if (!c) {
            return "obsahuje bajty, které nejsou znaky UTF-8";
        }
        if (!isCp1250Character(*c)) {
            return "obsahuje znak „" + std::string(name.substr(start, pos - start)) +
                   "“, který kódování Windows-1250 nemá";
        }
    }
    return {};
}

const char* oddityText(EntryOddity oddity) {
    switch (oddity) {
    case EntryOddity::DanglingLink:
        return "je odkaz, který nikam nevede";
    case EntryOddity::LinkLoop:
        return "je odkaz, který vede v kruhu";
    case EntryOddity::Special:
        return "není soubor ani složka (roura, soket nebo zařízení)";
    case EntryOddity::None:
        break;
    }
    return "";
}

std::string sameNameText(std::string_view other) {
    return "liší se od „" + std::string(other) + "“ jen velikostí písmen";
}

// At the top of the source folder, a name of the build's own in another
// letter case. Wine finds files the Windows way, so the compiler takes an
// "output" for its Output folder (measured: the installer lands in it, the
// build then misses Output, and the next build packs the earlier installer
// or fails); on Windows an "iss" is the script's file, which the build
// writes over.
std::string ownNameTwinText(std::string_view name) {
    if (name != "Output" && SameNameIgnoringCase(name, "Output")) {
        return sameNameText("Output") +
               " a kompilátor by si ho pod wine spletl se složkou pro instalační soubory";
    }
    if (name != "ISS" && SameNameIgnoringCase(name, "ISS")) {
        return sameNameText("ISS") + " a ve Windows by ho přepsal skript instalace ISS";
    }
    return {};
}

} // namespace

std::string WindowsDeviceName(std::string_view name) {
    return reservedDevice(name, name.find('.'));
}

std::string WindowsNameProblem(std::string_view name) {
    // One pass for what most names are: printable ASCII.
    bool beyondAscii = false;
    std::size_t firstDot = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x80) {
            beyondAscii = true;
        } else if (!kPlainNameByte[byte]) {
            return byte < ' ' ? "obsahuje řídicí znak (kód " + std::to_string(byte) + ")"
                              : "obsahuje znak „" + std::string(1, name[i]) +
                                    "“, který Windows ve jménech nedovoluje";
        } else if (byte == '.' && firstDot == std::string_view::npos) {
            firstDot = i;
        }
    }
    if (beyondAscii) {
        if (std::string problem = characterProblem(name); !problem.empty()) {
            return problem;
        }
    }
    if (name.ends_with('.')) {
        return "končí tečkou";
    }
    if (name.ends_with(' ')) {
        return "končí mezerou";
    }
    if (const std::string device = reservedDevice(name, firstDot); !device.empty()) {
        return "je jméno zařízení Windows (" + device + ")";
    }
    return {};
}

bool TreeNameCheck::checkFolder(const ScannedFolder& folder) {
    std::size_t needed = static_cast<std::size_t>(folder.index) + 1;
    for (const ScannedSubFolder& sub : folder.subFolders) {
        needed = std::max(needed, static_cast<std::size_t>(sub.index) + 1);
    }
    if (badFolder_.size() < needed) {
        badFolder_.resize(needed);
    }
    const bool inBadFolder = badFolder_[static_cast<std::size_t>(folder.index)];
    const std::size_t before = count_;

    const ScannedFile* previous = nullptr;
    for (const ScannedFile& file : folder.files) {
        if (file.oddity != EntryOddity::None) {
            report(folder.entry, file.name, oddityText(file.oddity));
        } else if (std::string problem = WindowsNameProblem(file.name); !problem.empty()) {
            report(folder.entry, file.name, std::move(problem));
        } else if (std::string twin = folder.index == 0 ? ownNameTwinText(file.name) : "";
                   !twin.empty()) {
            report(folder.entry, file.name, std::move(twin));
        } else if (previous && previous->key == file.key) {
            // Sorted without regard to case, such names stand side by side.
            report(folder.entry, file.name, sameNameText(previous->name));
        }
        previous = &file;
    }

    const auto& files = folder.files;
    for (std::size_t s = 0; s < folder.subFolders.size(); ++s) {
        const ScannedSubFolder& sub = folder.subFolders[s];
        std::string problem = WindowsNameProblem(sub.name);
        if (problem.empty() && folder.index == 0) {
            problem = ownNameTwinText(sub.name);
        }
        if (problem.empty()) {
            const std::string key = FoldedNameKey(sub.name);
            const auto at = std::lower_bound(
                files.begin(), files.end(), key,
                [](const ScannedFile& f, const std::string& k) { return f.key < k; });
            if (at != files.end() && at->key == key) {
                problem = sameNameText(at->name);
            }
        }
        for (std::size_t t = 0; problem.empty() && t < s; ++t) {
            if (SameNameIgnoringCase(folder.subFolders[t].name, sub.name)) {
                problem = sameNameText(folder.subFolders[t].name);
            }
        }
        const bool refused = !problem.empty();
        if (refused) {
            report(folder.entry, sub.name, std::move(problem));
        }
        badFolder_[static_cast<std::size_t>(sub.index)] = inBadFolder || refused;
    }
    return !inBadFolder && count_ == before;
}

void TreeNameCheck::report(std::string_view entry, std::string_view name, std::string reason) {
    if (++count_ > kListed) {
        return;
    }
    std::string path = toNativeSeparators(entry);
    if (!path.empty()) {
        path += kNativeSeparator;
    }
    path += name;
    listed_.push_back(path + ": " + reason);
}

std::string TreeNameCheck::message() const {
    std::string text = "Zdrojový adresář obsahuje jména, která Windows nedokáže uložit, celkem " +
                       std::to_string(count_) + ":";
    for (const std::string& line : listed_) {
        text += "\r\n" + line;
    }
    if (count_ > kListed) {
        const std::size_t more = count_ - kListed;
        text += "\r\na " + std::to_string(more) + (more < 5 ? " další" : " dalších");
    }
    return text + "\r\nPřejmenujte je nebo je přesuňte mimo zdrojový adresář.";
}

} // namespace tornavel
