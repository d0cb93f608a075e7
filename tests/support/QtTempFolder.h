#pragma once
// A fresh folder under the temporary one for a window test's files, removed when the test ends.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace lumaro::testing {

struct QtTempFolder {
    QString path;
    explicit QtTempFolder(const QString& name) : path(QDir::tempPath() + QLatin1Char('/') + name) {
        QDir(path).removeRecursively();
        QDir().mkpath(path);
    }
    ~QtTempFolder() { QDir(path).removeRecursively(); }
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
