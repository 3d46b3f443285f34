#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tornavel::ui {

// Decodes the bytes of a JPEG file (colour or greyscale) with libjpeg.
// A damaged or truncated picture, one libjpeg only warns about included, gives
// a null image and, when error is given, libjpeg's description of the fault;
// it never ends the program.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

} // namespace tornavel::ui
