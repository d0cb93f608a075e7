#pragma once
// Lays a checker or a die onto a picture exactly as the board window does, so the splash
// shows the real pieces with their real shadows.
#include <QImage>

namespace lumaro::art {

// `canvas` in Format_RGB32; checker picture and shading map as written to disk.
void composeChecker(QImage& canvas, const QImage& checker, const QImage& shading, int x, int y);
void composeDie(QImage& canvas, const QImage& face, const QImage& mask, int x, int y);

}  // namespace lumaro::art
