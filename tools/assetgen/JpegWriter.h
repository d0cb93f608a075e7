#pragma once
// Writes the board and window backgrounds as baseline JPEG through libjpeg itself, so the
// result does not depend on which Qt image plugins happen to be installed.
#include <QImage>
#include <QString>

namespace lumaro::art {

bool writeJpeg(const QImage& image, const QString& path, int quality);

}  // namespace lumaro::art
