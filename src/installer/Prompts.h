#pragma once

#include "project/ProjectSettings.h"

#include <string>

namespace tornavel {

// How the core talks to the user. The core never shows anything itself: the
// GUI implements this with message boxes, the CLI with standard error and
// fixed answers, the tests with a recording fake.
//
// Errors that end an operation are not reported here: they travel as
// exceptions (platform/Errors.h) to the front end's single guard.
class Prompts {
public:
    enum class Icon { Question, Warning };
    enum class Answer { Yes, No };

    virtual ~Prompts() = default;

    // The error dialog: error icon, caption "Error", one button "OK".
    virtual void errorDialog(const std::string& text) = 0;

    // The plain message box: no icon, caption "Tornavel", one button "OK".
    virtual void message(const std::string& text) = 0;

    // A Yes/No question with its caption, icon and default button.
    virtual Answer ask(const std::string& caption, const std::string& text, Icon icon,
                       Answer defaultAnswer) = 0;

    // Switch the main window to the page that holds the field and put the
    // keyboard focus on the field's control.
    virtual void focusField(FieldId field) = 0;
};

} // namespace tornavel
