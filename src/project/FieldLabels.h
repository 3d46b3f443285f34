#pragma once

#include "project/ProjectSettings.h"

#include <string>

namespace tornavel {

// How a message names a text field to the user: the label of its control on
// the main window, without the colon ("Parametr (ikona č.2)"). Empty for the
// fields that are no text or have no control of their own (Font); a message
// then names the file key instead.
std::string textFieldLabel(FieldId id);

} // namespace tornavel
