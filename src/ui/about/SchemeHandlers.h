#pragma once

#include <QString>

namespace tornavel::ui {

// Whether the desktop has a program registered for addresses of the scheme
// ("mailto", "https"). Asking the desktop to open an address only says that
// its launcher started, not that anything will open the address, so the
// About box asks this first. On a desktop that follows the XDG conventions
// the answer is the default handler that xdg-mime names for
// "x-scheme-handler/<scheme>"; where that cannot be asked (no xdg-mime, a
// desktop that does not answer), the answer is true and the opener's own
// result decides.
bool DesktopHasHandlerFor(const QString& scheme);

} // namespace tornavel::ui
