#include "ui/about/JpegImage.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace tornavel::ui {
namespace {

// Pictures beyond this many pixels are refused before anything is allocated:
// a damaged header could otherwise ask for gigabytes.
constexpr unsigned long long kMaxPixels = 64ULL * 1024 * 1024;

// libjpeg's own error handler prints and exits the process. This one jumps
// back into DecodeInto instead, and it keeps warnings (corrupt data that
// libjpeg would paint over in grey) quiet so that the caller can refuse them.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jpegErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

extern "C" void jpegEmitMessage(j_common_ptr cinfo, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0) {
        // A warning: remember the first one, count them all.
        if (cinfo->err->num_warnings == 0) {
            (*cinfo->err->format_message)(cinfo, manager->message);
        }
        ++cinfo->err->num_warnings;
    }
}

extern "C" void jpegOutputMessage(j_common_ptr) {}

// Everything that libjpeg may jump out of lives in this function, which holds
// no object with a destructor, so the jump skips nothing that needs cleaning
// up. The image is owned by the caller. Returns false on any error.
bool DecodeInto(jpeg_decompress_struct& cinfo, ErrorManager& errors, const unsigned char* data,
                unsigned long size, QImage& image) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    // Creation itself may fail (out of memory), so it comes after setjmp; the
    // caller's jpeg_destroy_decompress copes with a half-created decoder.
    jpeg_create_decompress(&cinfo);
    // jpeg_mem_src takes a non-const pointer in some libjpeg versions; it only reads.
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&cinfo, TRUE);

    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    if (!grey && cinfo.num_components != 3) {
        // CMYK and other print colour spaces are not pictures for a window.
        std::snprintf(errors.message, sizeof errors.message,
                      "Unsupported JPEG colour space with %d components", cinfo.num_components);
        return false;
    }
    // The size is judged before jpeg_start_decompress, which already allocates
    // for the whole picture (a progressive one keeps all its coefficients).
    const unsigned long long pixels =
        static_cast<unsigned long long>(cinfo.image_width) * cinfo.image_height;
    if (pixels == 0 || pixels > kMaxPixels) {
        std::snprintf(errors.message, sizeof errors.message, "Unsupported JPEG size %ux%u",
                      cinfo.image_width, cinfo.image_height);
        return false;
    }
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height ||
        cinfo.output_components != (grey ? 1 : 3)) {
        std::snprintf(errors.message, sizeof errors.message, "Unsupported JPEG size %ux%u",
                      cinfo.output_width, cinfo.output_height);
        return false;
    }
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image.isNull()) {
        std::snprintf(errors.message, sizeof errors.message, "Not enough memory for the picture");
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error) {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jpegErrorExit;
    errors.pub.emit_message = jpegEmitMessage;
    errors.pub.output_message = jpegOutputMessage;

    QImage image;
    bool ok = DecodeInto(cinfo, errors, reinterpret_cast<const unsigned char*>(data.constData()),
                         static_cast<unsigned long>(data.size()), image);
    // A truncated file decodes "successfully" with the missing rows filled in
    // grey and only a warning; such a picture is damaged all the same.
    if (ok && errors.pub.num_warnings != 0) {
        ok = false;
    }
    jpeg_destroy_decompress(&cinfo);

    if (!ok) {
        if (error != nullptr) {
            *error = QString::fromLocal8Bit(errors.message);
        }
        return {};
    }
    if (error != nullptr) {
        error->clear();
    }
    return image;
}

} // namespace tornavel::ui
