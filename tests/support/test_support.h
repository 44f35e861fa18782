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

// Copies every file below `from` to the same place below `to`, creating folders. Tests copy the
// built data folder this way, so the program may clear and fill its work folders freely.
void copy_tree(const QString& from, const QString& to);

} // namespace velmora::test
