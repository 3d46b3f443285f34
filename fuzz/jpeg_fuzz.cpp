// Feeds arbitrary bytes to the About box's picture decoder, as a damaged or
// replaced picture would reach it. Seeds: fuzz/corpus/jpeg.
#include "ui/about/JpegImage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Not copied, so that a read past the input's end is caught.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const QImage image = tornavel::ui::DecodeJpeg(bytes, &error);
    // Either a picture within the limits and no error, or no picture and the
    // reason.
    if (image.isNull() != !error.isEmpty()) {
        std::abort();
    }
    if (!image.isNull() &&
        (static_cast<long long>(image.width()) * image.height() > 64LL * 1024 * 1024 ||
         (image.format() != QImage::Format_RGB888 &&
          image.format() != QImage::Format_Grayscale8))) {
        std::abort();
    }
    return 0;
}
