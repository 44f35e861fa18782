#include "support/test_support.h"

#include <QDir>
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

} // namespace velmora::test
