// lumaro-assetgen OUTDIR: draws every picture and synthesises every sound of the game.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "AssetSet.h"

int main(int argc, char** argv) {
    // Text is drawn with Qt's fonts, which need a GUI application but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumaro-assetgen OUTDIR\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "lumaro-assetgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = false;
    const QStringList written = lumaro::art::writeAllAssets(folder, &ok);
    std::printf("lumaro-assetgen: %lld files in %s\n", static_cast<long long>(written.size()), argv[1]);
    if (ok) return 0;
    // Without the manifest the build sees the set as missing and tries again next time.
    QFile::remove(QDir(folder).filePath(QStringLiteral("assets.txt")));
    std::fprintf(stderr, "lumaro-assetgen: some files could not be written\n");
    return 1;
}
