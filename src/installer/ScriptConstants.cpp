#include "installer/ScriptConstants.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <array>

namespace tornavel {
namespace {

struct NamedConstant {
    std::string_view name;
    ConstantTraits traits;
};

constexpr ConstantTraits kPath{true, true, false};
constexpr ConstantTraits kValue{true, false, false};

// The constants of the compiler's documentation (topic "Constants" of
// ISetup.chm, Inno Setup 5.5.9), spelled as the compiler wants them: it
// compares names with their letter case ("{APP}" is unknown to it).
constexpr std::array<NamedConstant, 59> kConstants = {{
    {"app", {true, true, true}},
    {"win", kPath},
    {"sys", kPath},
    {"syswow64", kPath},
    {"src", kPath},
    {"sd", kPath},
    {"pf", kPath},
    {"pf32", kPath},
    {"pf64", kPath},
    {"cf", kPath},
    {"cf32", kPath},
    {"cf64", kPath},
    {"tmp", kPath},
    {"fonts", kPath},
    {"dao", kPath},
    {"dotnet11", kPath},
    {"dotnet20", kPath},
    {"dotnet2032", kPath},
    {"dotnet2064", kPath},
    {"dotnet40", kPath},
    {"dotnet4032", kPath},
    {"dotnet4064", kPath},
    {"group", {true, true, true}},
    {"localappdata", kPath},
    {"sendto", kPath},
    {"userappdata", kPath},
    {"commonappdata", kPath},
    {"usercf", kPath},
    {"userdesktop", kPath},
    {"commondesktop", kPath},
    {"userdocs", kPath},
    {"commondocs", kPath},
    {"userfavorites", kPath},
    {"commonfavorites", kPath},
    {"userpf", kPath},
    {"userprograms", kPath},
    {"commonprograms", kPath},
    {"userstartmenu", kPath},
    {"commonstartmenu", kPath},
    {"userstartup", kPath},
    {"commonstartup", kPath},
    {"usertemplates", kPath},
    {"commontemplates", kPath},
    {"\\", kValue},
    {"cmd", kPath},
    {"computername", kValue},
    {"groupname", {true, false, true}},
    {"hwnd", kValue},
    {"wizardhwnd", kValue},
    {"language", kValue},
    {"srcexe", kPath},
    {"uninstallexe", kPath},
    {"sysuserinfoname", kValue},
    {"sysuserinfoorg", kValue},
    {"userinfoname", kValue},
    {"userinfoorg", kValue},
    {"userinfoserial", kValue},
    {"username", kValue},
    {"log", kPath},
}};

// The custom messages "{cm:…}" can name: those that every language file of
// the script's [Languages] defines (the same twelve in all eight).
constexpr std::array<std::string_view, 12> kCustomMessages = {
    "AdditionalIcons",       "AddonHostProgramNotFound", "AssocFileExtension",
    "AssocingFileExtension", "AutoStartProgram",         "AutoStartProgramGroupDescription",
    "CreateDesktopIcon",     "CreateQuickLaunchIcon",    "LaunchProgram",
    "NameAndVersion",        "ProgramOnTheWeb",          "UninstallProgram"};

// The forms that take arguments, which may hold constants themselves.
// "{code:…}" is not among them: it calls a function of a [Code] section, and
// our scripts have none, so the compiler refuses every such constant.
constexpr std::array<std::string_view, 6> kFormsWithArguments = {
    "%", "cm:", "reg:", "ini:", "param:", "drive:"};

// The form of a constant with arguments, or an empty view.
std::string_view formOf(std::string_view name) {
    for (const std::string_view form : kFormsWithArguments) {
        if (name.starts_with(form)) {
            return form;
        }
    }
    return {};
}

// The index just past the "}" that closes the constant opening at open, or
// npos when none does.
std::size_t constantEnd(std::string_view text, std::size_t open) {
    int depth = 1;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == '{') {
            if (i + 1 < text.size() && text[i + 1] == '{') {
                ++i;
            } else {
                ++depth;
            }
        } else if (text[i] == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

void collectConstants(std::string_view text, std::vector<ScriptConstant>& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            ++i;
            continue;
        }
        const std::size_t end = constantEnd(text, i);
        if (end == std::string_view::npos) {
            out.push_back({text.substr(i + 1), false});
            return;
        }
        const std::string_view name = text.substr(i + 1, end - i - 2);
        out.push_back({name, true});
        collectConstants(name.substr(formOf(name).size()), out);
        i = end - 1;
    }
}

} // namespace

std::vector<ScriptConstant> ScriptConstants(std::string_view text) {
    std::vector<ScriptConstant> constants;
    collectConstants(text, constants);
    return constants;
}

std::string LiteralText(std::string_view text) {
    std::string literal;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            literal += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '{') {
            literal += text[++i];
        } else {
            literal += '_';
            i = std::min(constantEnd(text, i), text.size()) - 1;
        }
    }
    return literal;
}

ConstantTraits TraitsOfConstant(std::string_view name) {
    const std::string_view form = formOf(name);
    if (form == "drive:") {
        return kPath;
    }
    if (form == "cm:") {
        const std::string_view message = name.substr(form.size(), name.find(',') - form.size());
        const bool defined = std::any_of(
            kCustomMessages.begin(), kCustomMessages.end(),
            [&](std::string_view known) { return EqualIgnoringAsciiCase(known, message); });
        return defined ? kValue : ConstantTraits{};
    }
    if (!form.empty()) {
        return kValue;
    }
    const auto constant = std::find_if(kConstants.begin(), kConstants.end(),
                                       [&](const NamedConstant& c) { return c.name == name; });
    return constant == kConstants.end() ? ConstantTraits{} : constant->traits;
}

} // namespace tornavel
