#include "ui/ExtraSettings.h"

#include <QSettings>

namespace lumaro {
ExtraSettings ExtraSettings::load() {
    ExtraSettings s;
    QSettings file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("lumaro2"), QStringLiteral("display"));
    s.showLastMove = file.value(QStringLiteral("showLastMove"), true).toBool();
    s.keepGameAtExit = file.value(QStringLiteral("keepGameAtExit"), false).toBool();
    s.questionsWait = file.value(QStringLiteral("questionsWait"), false).toBool();
    s.playInWindow = file.value(QStringLiteral("playInWindow"), false).toBool();
    s.master = file.value(QStringLiteral("master"), false).toBool();
    s.windowGeometry = file.value(QStringLiteral("windowGeometry")).toByteArray();
    return s;
}

void ExtraSettings::save() const {
    QSettings file(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("lumaro2"), QStringLiteral("display"));
    file.setValue(QStringLiteral("showLastMove"), showLastMove);
    file.setValue(QStringLiteral("keepGameAtExit"), keepGameAtExit);
    file.setValue(QStringLiteral("questionsWait"), questionsWait);
    file.setValue(QStringLiteral("playInWindow"), playInWindow);
    file.setValue(QStringLiteral("master"), master);
    file.setValue(QStringLiteral("windowGeometry"), windowGeometry);
}

}  // namespace lumaro
