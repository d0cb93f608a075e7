#include "Output.h"

#include <QFile>
#include <QImageWriter>

#include "JpegWriter.h"
#include "Wav.h"

namespace lumaro::art {

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool writePng(const QImage& image, const QString& path) {
    QImageWriter writer(path, "png");
    // Qt 6 takes the compression on a scale of 0 to 100 (9 would be zlib's level 0, the pixels stored
    // raw): 100 is zlib's best. Lossless either way.
    writer.setCompression(100);
    return writer.write(image);
}

}  // namespace

bool Output::record(const QString& name, bool success) {
    if (success) written_ << name;
    ok_ = ok_ && success;
    return success;
}

bool Output::rgbPng(const QString& name, const QImage& image) {
    return record(name, writePng(image.convertToFormat(QImage::Format_RGB888), path(name)));
}

bool Output::alphaPng(const QString& name, const QImage& image) {
    return record(name, writePng(image.convertToFormat(QImage::Format_ARGB32), path(name)));
}

bool Output::jpeg(const QString& name, const QImage& image, int quality) {
    return record(name, writeJpeg(image, path(name), quality));
}

bool Output::wav(const QString& name, const std::vector<std::int16_t>& samples) {
    return record(name, writeFile(path(name), wavBytes(samples)));
}

bool Output::bytes(const QString& name, const QByteArray& bytes) { return record(name, writeFile(path(name), bytes)); }

bool Output::manifest() {
    return writeFile(path(QStringLiteral("assets.txt")), (written_.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

}  // namespace lumaro::art
