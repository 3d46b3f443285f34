#pragma once

#include "project/ProjectSettings.h"

#include <string>
#include <string_view>

namespace tornavel {

// What names a field on the main window, as the window shows it ("Jméno ikony
// č.2:", "Parametr:"; lines joined by "\n"), from the field table.
std::string windowLabel(FieldId id);

// How a message names a text field to the user: the label of its control on
// the main window, without the colon ("Parametr (ikona č.2)"). Empty for the
// fields that are no text or have no control of their own (Font); a message
// then names the file key instead.
std::string textFieldLabel(FieldId id);

// An icon as the main window numbers it: "č.2" for the second one.
std::string iconNumber(int icon);

// The label of an icon's field without the icon's number ("Parametr").
std::string_view iconPartLabel(IconPart part);

} // namespace tornavel
