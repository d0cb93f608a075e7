#pragma once
// Writes the finished pictures and sounds into the output folder and remembers each name for
// the manifest.
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace lumaro::art {

class Output {
public:
    explicit Output(QString folder) : folder_(std::move(folder)) {}

    // 24-bit PNG: the pictures the game reads pixel by pixel.
    bool rgbPng(const QString& name, const QImage& image);
    // PNG with an alpha channel: interface pieces with soft, rounded edges.
    bool alphaPng(const QString& name, const QImage& image);
    bool jpeg(const QString& name, const QImage& image, int quality = 92);
    bool wav(const QString& name, const std::vector<std::int16_t>& samples);
    // Bytes made elsewhere (an SVG picture), written as they are.
    bool bytes(const QString& name, const QByteArray& bytes);
    // assets.txt: one written file per line, in the order written.
    bool manifest();

    const QStringList& written() const { return written_; }
    bool ok() const { return ok_; }

private:
    bool record(const QString& name, bool success);
    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    QString folder_;
    QStringList written_;
    bool ok_ = true;
};

}  // namespace lumaro::art
