#pragma once
// The real program's shell in a folder of its own, for the window tests.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "ui/BoardWindow.h"
#include "ui/MenuPanel.h"
#include "ui/SettingsWindow.h"
#include "ui/Shell.h"

namespace lumaro::testing {

// The real program's windows in a folder of their own (`name` and a random part, new for every
// run), the first game not started by itself.
struct ProgramShell {
    QTemporaryDir own;
    QString folder;
    Shell shell;
    SettingsWindow* settings = nullptr;
    qint64 clockMs = 0;

    explicit ProgramShell(const QString& name)
        : own(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral("-XXXXXX")), folder(own.path()), shell(folder) {}
    bool start() {
        if (!shell.start()) return false;
        shell.board().startupPending = false;
        // Every reading of the board's clock lies a second after the last: a click never comes
        // too soon after a box opened or closed unless a test says so.
        shell.board().monotonicMs = [this] { return clockMs += 1000; };
        settings = &shell.settings();
        return true;
    }
    // The expert's networks of the build, beside the program as the game reads them at start.
    bool withNetworks() const {
        for (const char* name : {"/nn1.bin", "/nn2.bin"})
            if (!QFile::copy(QDir::currentPath() + QLatin1String(name), folder + QLatin1String(name))) return false;
        return true;
    }
    void tune() { emit shell.menu().command(MenuItem::Tune); }
    QString ini() const { return folder + QStringLiteral("/lm2.ini"); }
};


}  // namespace lumaro::testing
