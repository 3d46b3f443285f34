#pragma once

#include <QIcon>

namespace tornavel::ui {

// The program's own pictures, drawn rather than loaded so that nothing needs
// licensing. Each icon holds several sizes; Qt derives the disabled look.
QIcon newProjectPicture();
QIcon openProjectPicture();
QIcon saveProjectPicture();
QIcon exitPicture();
QIcon buildPicture();
QIcon programPicture();

} // namespace tornavel::ui
