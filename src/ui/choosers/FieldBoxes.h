#pragma once

#include "project/ProjectSettings.h"

#include <QLineEdit>
#include <functional>

namespace tornavel::ui {

// Where the chooser dialogs write their results: the main window's edit box
// that shows a field (nullptr for a field without one). Setting the box's text
// raises its change notification like any other change of the field.
using FieldBoxes = std::function<QLineEdit*(FieldId)>;

} // namespace tornavel::ui
