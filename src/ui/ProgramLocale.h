#pragma once

namespace tornavel::ui {

// The program's texts are Czech whatever the system's language: the
// toolkit's own texts (dialog buttons, file dialogs, context menus) come from
// Qt's Czech translation, installed here. Dates and numbers follow the
// system's formats in every window alike: the default locale is the
// system's, so no window formats with a locale of its own.
// Call once, after the application object exists.
void SetUpProgramLocale();

} // namespace tornavel::ui
