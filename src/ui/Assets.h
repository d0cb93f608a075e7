#pragma once
// Every picture the board window shows, read once from the assets folder beside the program.
// A missing or corrupt file never stops the game: a plain drawn stand-in takes its place.
#include <QImage>
#include <QString>
#include <array>

namespace lumaro {

struct Assets {
    std::array<QImage, 2> board;                      // [modernSkin], 800 x 600
    std::array<QImage, 2> numberPlates;               // [modernSkin], 800 x 600 with alpha: drawn under the point numbers
    std::array<std::array<QImage, 4>, 2> checker;     // [colour 0 black / 1 white][scheme 1..3]
    QImage shading;                                   // the checkers' shading map
    std::array<QImage, 7> die;                        // faces 0 (blank) .. 6
    QImage dieMask;
    std::array<std::array<QImage, 7>, 2> cube;        // [skin][log2 value 1..6]; 64 also for the centred cube
    std::array<QImage, 5> messageKind;                // the message box's five pictures
    QImage messagePanel;                              // the message box's template
    std::array<QImage, 3> yesButton, noButton;        // rest, hover, pressed
    QImage moveSprite;
    QImage splash;
    QImage menuStrip, menuHover, menuPressed, menuSeparator, menuEmblem;
    QImage toolBackground;                            // 758 x 600, behind the settings, statistics and help
    QString folder;

    // Reads the folder; fills every gap with a drawn stand-in.
    static Assets load(const QString& folder);
    QString soundPath(const QString& name) const { return folder + QLatin1Char('/') + name; }
    // The cube picture for a value (1 and 64 share the 64 face).
    const QImage& cubePicture(int skin, int value) const;
};

// The program's assets folder: "assets" beside the program, or where it was installed.
QString defaultAssetsFolder();

}  // namespace lumaro
