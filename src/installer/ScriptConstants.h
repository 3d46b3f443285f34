#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// One constant of a script text as the compiler reads it.
struct ScriptConstant {
    std::string_view name; // between the braces: "app", "cm:NameAndVersion,a,b"
    bool closed = true;    // false: no "}" closes it, and name runs to the end of the text
};

// The constants of a text, as the compiler finds them: "{{" is a literal
// brace (also inside a constant), a "}" without its "{" is taken as itself,
// and a constant ends at the "}" that closes the braces opened inside it.
// The constants nested in the arguments of another ("{drive:{src}}") follow
// it. An unclosed constant is the last one listed.
std::vector<ScriptConstant> ScriptConstants(std::string_view text);

// The text with every constant replaced by "_" and "{{" by "{": what stays
// of it as written once the installer has expanded the constants.
std::string LiteralText(std::string_view text);

// What the compiler and the installer make of a constant's name.
struct ConstantTraits {
    bool known = false;       // the compiler accepts it in the scripts we write
    bool path = false;        // it stands for a folder or a file, drive included
    bool afterWizard = false; // the installer has its value only after the wizard's pages
};

ConstantTraits TraitsOfConstant(std::string_view name);

} // namespace tornavel
