#pragma once

#include <QDateTime>
#include <QString>

namespace velmora::mcl {

// The temporary file a conversion writes beside its target, so that the target name only ever
// holds a finished file: ".NAME.XXXXXX.part" in the target's folder. While it exists its
// owner holds an exclusive lock (flock) on it, so that another run can tell a file in use from
// one a killed run left behind. Owned by the conversion; one thread.
class TemporaryOutput {
public:
    // Removes what killed runs left in the target's folder (remove_stale_parts, with the
    // present moment), then reserves a fresh hidden name there and locks it. Throws EncodeError
    // (with the system's reason) when the folder is missing or not writable.
    explicit TemporaryOutput(const QString& target);
    // Removes the temporary file unless it was committed.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    const QString& path() const { return path_; }
    // Renames the temporary file to the target, replacing a file there. Throws EncodeError
    // when the rename fails; the target is then untouched.
    void commit();

    // Removes from `folder` every file named as a temporary output that was last written
    // before `before` and that no living run holds locked. Returns how many were removed.
    static int remove_stale_parts(const QString& folder, const QDateTime& before);

private:
    QString target_;
    QString path_;
    int lock_ = -1;   // a descriptor holding the file's lock, -1 when none
    bool committed_ = false;
};

} // namespace velmora::mcl
