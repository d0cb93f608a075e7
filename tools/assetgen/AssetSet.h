#pragma once
// Every picture and sound of the game, written into one folder with its manifest.
#include <QString>
#include <QStringList>

namespace lumaro::art {

// Returns the names written (the manifest's lines); false in `ok` when a file failed.
QStringList writeAllAssets(const QString& folder, bool* ok = nullptr);

}  // namespace lumaro::art
