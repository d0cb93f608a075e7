#pragma once
// The board and window backgrounds are JPEG files beside the program. They are decoded with
// libjpeg directly; a missing, truncated or corrupt file gives a null image, never a crash.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace lumaro {

QImage decodeJpeg(const QByteArray& bytes);  // Format_RGB888, or null
QImage loadJpeg(const QString& path);        // Format_RGB888, or null

}  // namespace lumaro
