#include "production/temporary_output.h"

#include "production/encode_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora::mcl {
namespace {

// ".NAME.XXXXXX.part", the XXXXXX as QTemporaryFile fills them in.
bool is_temporary_output_name(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}\\.part$"));
    return pattern.match(name).hasMatch();
}

// Removes `path` if no other process holds its lock; the lock is kept while removing, so a
// run cannot take the file up in between.
bool remove_if_unlocked(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && QFile::remove(path);
    ::close(fd);
    return removed;
}

} // namespace

int TemporaryOutput::remove_stale_parts(const QString& folder, const QDateTime& before) {
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries)
        if (is_temporary_output_name(entry.fileName()) && entry.lastModified() < before
            && remove_if_unlocked(entry.absoluteFilePath()))
            ++removed;
    return removed;
}

TemporaryOutput::TemporaryOutput(const QString& target) : target_(QFileInfo(target).absoluteFilePath()) {
    const QFileInfo info(target_);
    remove_stale_parts(info.absolutePath(), QDateTime::currentDateTime());
    QTemporaryFile reserved(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX.part"));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw EncodeError(QStringLiteral("Cannot create a file in %1: %2")
                              .arg(info.absolutePath(), reserved.errorString()));
    path_ = reserved.fileName();
    // The lock lives on a descriptor of its own, which outlasts `reserved`; the encoder opens the
    // file by name.
    lock_ = ::fcntl(reserved.handle(), F_DUPFD_CLOEXEC, 0);
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX | LOCK_NB);
    // Temporary files start private; the album is an ordinary file of its folder.
    reserved.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

TemporaryOutput::~TemporaryOutput() {
    if (!committed_)
        QFile::remove(path_);
    if (lock_ >= 0)
        ::close(lock_);
}

// rename(2) replaces an existing target in one step, so no reader sees a half-written file.
void TemporaryOutput::commit() {
    if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) != 0)
        throw EncodeError(QStringLiteral("Cannot rename %1 to %2: %3")
                              .arg(path_, target_, QString::fromLocal8Bit(std::strerror(errno))));
    committed_ = true;
}

} // namespace velmora::mcl
