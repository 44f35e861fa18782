#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace velmora::test {

TempFolder::TempFolder() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TempFolder::write(const QString& relative, const QByteArray& content) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        throw std::runtime_error("cannot write test fixture " + path.toStdString());
    return path;
}

QByteArray read_file(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void copy_tree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

} // namespace velmora::test
