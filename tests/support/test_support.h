#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

// A fresh temporary folder removed with the object.
class TempFolder {
public:
    TempFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }
    // Writes `content` at `relative`, creating parent folders; returns the full path.
    QString write(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
};

QByteArray read_file(const QString& path);

} // namespace velmora::test
