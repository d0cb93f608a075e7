#include "JpegImage.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace lumaro {

namespace {

// libjpeg's own error handler ends the program; ours jumps back and reports failure instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings are counted, not printed

constexpr JDIMENSION kLargestSide = 8192;  // far beyond any picture of the game

// Only plain C objects live in this frame, so the jump back skips no destructor.
bool readInto(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& bytes, QImage& image) {
    if (setjmp(errors.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    if (info.image_width > kLargestSide || info.image_height > kLargestSide) return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) return false;
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // A cut-off file only raises a warning and comes out half grey; the game refuses it.
    return errors.base.num_warnings == 0;
}

}  // namespace

QImage decodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    QImage image;
    const bool ok = readInto(info, errors, bytes, image);
    jpeg_destroy_decompress(&info);
    return ok ? image : QImage();
}

QImage loadJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return decodeJpeg(file.readAll());
}

}  // namespace lumaro
