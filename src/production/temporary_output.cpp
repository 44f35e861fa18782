#include "production/temporary_output.h"

#include "production/encode_error.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora::mcl {

TemporaryOutput::TemporaryOutput(const QString& target) : target_(QFileInfo(target).absoluteFilePath()) {
    const QFileInfo info(target_);
    QTemporaryFile reserved(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX.part"));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw EncodeError(QStringLiteral("Cannot create a file in %1: %2")
                              .arg(info.absolutePath(), reserved.errorString()));
    path_ = reserved.fileName();
    // Temporary files start private; the album is an ordinary file of its folder.
    reserved.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

TemporaryOutput::~TemporaryOutput() {
    if (!committed_)
        QFile::remove(path_);
}

// rename(2) replaces an existing target in one step, so no reader sees a half-written file.
void TemporaryOutput::commit() {
    if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) != 0)
        throw EncodeError(QStringLiteral("Cannot rename %1 to %2: %3")
                              .arg(path_, target_, QString::fromLocal8Bit(std::strerror(errno))));
    committed_ = true;
}

} // namespace velmora::mcl
