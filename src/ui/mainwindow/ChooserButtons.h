#pragma once

#include "project/ProjectSettings.h"

#include <array>
#include <optional>
#include <string_view>

namespace tornavel::ui {

// What each "..." button of the main window opens and which fields receive
// the result: the run-file chooser, with a file mask and a caption, gives the
// chosen file's name for one field; the icon chooser (its own mask and
// caption) gives the file's name and the chosen icon's position. The main
// window stores them in the project.
struct ChooserButton {
    std::string_view objectName;      // the button's name on the window
    FieldId file;                     // receives the chosen file's name
    std::optional<FieldId> iconIndex; // icon chooser only: receives the icon's position
    std::string_view mask;            // run-file chooser only
    std::string_view caption;         // run-file chooser only
};

inline constexpr std::string_view kRunFileCaption = "Výběr spouštěného souboru";

constexpr ChooserButton runFileButton(std::string_view name, int icon) {
    return {name, iconField(icon, IconPart::FileName), std::nullopt, "*.*", kRunFileCaption};
}
constexpr ChooserButton iconButton(std::string_view name, int icon) {
    return {
        name, iconField(icon, IconPart::IconFile), iconField(icon, IconPart::IconIndex), {}, {}};
}

inline constexpr std::array<ChooserButton, 14> kChooserButtons = {{
    runFileButton("Button2", 0),
    iconButton("Button3", 0),
    runFileButton("Button4", 1),
    iconButton("Button5", 1),
    runFileButton("Button6", 2),
    iconButton("Button7", 2),
    runFileButton("Button8", 3),
    iconButton("Button9", 3),
    runFileButton("Button10", 4),
    iconButton("Button11", 4),
    {"Button12", FieldId::LicenceFile, std::nullopt, "*.txt;*.rtf", "Výběr licenčního souboru"},
    {"Button13", FieldId::InfoBeforeFile, std::nullopt, "*.txt;*.rtf", "Výběr readme souboru"},
    {"Button14", FieldId::InfoAfterFile, std::nullopt, "*.txt;*.rtf", "Výběr souboru s popisem"},
    {"SetupIconFileButton", FieldId::SetupIconFile, std::nullopt, "*.ico",
     "Výběr ikony instalačního programu"},
}};

} // namespace tornavel::ui
