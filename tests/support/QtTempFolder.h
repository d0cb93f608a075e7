#pragma once
// A fresh folder under the temporary one for a window test's files, removed when the test ends.
// `name` begins its name; a random part makes it new for every run, so what another user's run
// left in the shared temporary folder never stands in the way.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace lumaro::testing {

struct QtTempFolder {
    QTemporaryDir folder;
    QString path;
    explicit QtTempFolder(const QString& name)
        : folder(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral("-XXXXXX")), path(folder.path()) {}
    QtTempFolder(const QtTempFolder&) = delete;
    QtTempFolder& operator=(const QtTempFolder&) = delete;

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile file(path + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace lumaro::testing
