#include "AssetSet.h"

#include "BoardArt.h"
#include "CheckerArt.h"
#include "CubeArt.h"
#include "DiceArt.h"
#include "IconArt.h"
#include "MenuArt.h"
#include "MessageArt.h"
#include "Output.h"
#include "Sounds.h"
#include "SplashArt.h"
#include "ToolArt.h"

namespace lumaro::art {

namespace {

void writeBoards(Output& out) {
    for (const BoardSkin& skin : {classicSkin(), modernSkin()}) {
        const QImage board = paintBoard(skin);
        out.jpeg(QStringLiteral("board-%1.jpg").arg(skin.name), board);
        out.alphaPng(QStringLiteral("number-plates-%1.png").arg(skin.name), paintNumberPlates(skin));
        for (int value : {2, 4, 8, 16, 32, 64})
            out.rgbPng(QStringLiteral("cube-%1-%2.png").arg(skin.name).arg(value), paintCube(skin, value, board));
    }
}

void writePieces(Output& out) {
    for (int scheme = 1; scheme <= kCheckerSchemes; ++scheme) {
        out.rgbPng(QStringLiteral("checker-white-%1.png").arg(scheme), paintChecker(checkerStyle(true, scheme)));
        out.rgbPng(QStringLiteral("checker-black-%1.png").arg(scheme), paintChecker(checkerStyle(false, scheme)));
    }
    out.rgbPng(QStringLiteral("checker-shading.png"), paintShadingMap());
    out.rgbPng(QStringLiteral("move-sprite.png"), paintMoveSprite());
    for (int value = 0; value <= 6; ++value) out.rgbPng(QStringLiteral("die-%1.png").arg(value), paintDieFace(value));
    out.rgbPng(QStringLiteral("die-mask.png"), paintDieMask());
}

void writePanels(Output& out) {
    out.rgbPng(QStringLiteral("message-panel.png"), paintMessagePanel());
    for (int kind = 0; kind < kMessageKinds; ++kind) out.rgbPng(kindPictureName(kind), paintKindPicture(kind));
    for (bool yes : {true, false}) {
        const QString stem = yes ? QStringLiteral("button-yes") : QStringLiteral("button-no");
        out.alphaPng(stem + QStringLiteral(".png"), paintButton(yes, ButtonLook::Normal));
        out.alphaPng(stem + QStringLiteral("-hover.png"), paintButton(yes, ButtonLook::Hover));
        out.alphaPng(stem + QStringLiteral("-pressed.png"), paintButton(yes, ButtonLook::Pressed));
    }
    out.rgbPng(QStringLiteral("menu-strip.png"), paintMenuStrip());
    out.rgbPng(QStringLiteral("menu-hover.png"), paintMenuHighlight(false));
    out.rgbPng(QStringLiteral("menu-pressed.png"), paintMenuHighlight(true));
    out.rgbPng(QStringLiteral("menu-separator.png"), paintMenuSeparator());
    out.rgbPng(QStringLiteral("menu-emblem.png"), paintMenuEmblem());
    out.alphaPng(QStringLiteral("light-rest.png"), paintActivityLight(false));
    out.alphaPng(QStringLiteral("light-active.png"), paintActivityLight(true));
    out.jpeg(QStringLiteral("splash.jpg"), paintSplash());
    out.jpeg(QStringLiteral("tool-background.jpg"), paintToolWindowBackground());
    out.alphaPng(QStringLiteral("tool-check.png"), paintToolCheckMark());
    out.alphaPng(QStringLiteral("tool-arrow-up.png"), paintToolArrow(true));
    out.alphaPng(QStringLiteral("tool-arrow-down.png"), paintToolArrow(false));
    // The desktop's icon; the install puts each size under share/icons/hicolor/NxN/apps.
    for (int size : kIconSizes) out.alphaPng(QStringLiteral("icon-%1.png").arg(size), paintIcon(size));
    out.bytes(QStringLiteral("icon.svg"), iconSvg());
}

}  // namespace

QStringList writeAllAssets(const QString& folder, bool* ok) {
    Output out(folder);
    writeBoards(out);
    writePieces(out);
    writePanels(out);
    for (const SoundRecipe& sound : soundRecipes()) out.wav(sound.file, sound.make());
    const bool listed = out.manifest();
    if (ok) *ok = out.ok() && listed;
    return out.written();
}

}  // namespace lumaro::art
