#pragma once

#include <QString>

namespace velmora::mcl {

// The temporary file a conversion writes beside its target, so that the target name only ever
// holds a finished file. Owned by the conversion; one thread.
class TemporaryOutput {
public:
    // Reserves a fresh hidden name in the target's folder. Throws EncodeError (with the
    // system's reason) when the folder is missing or not writable.
    explicit TemporaryOutput(const QString& target);
    // Removes the temporary file unless it was committed.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    const QString& path() const { return path_; }
    // Renames the temporary file to the target, replacing a file there. Throws EncodeError
    // when the rename fails; the target is then untouched.
    void commit();

private:
    QString target_;
    QString path_;
    bool committed_ = false;
};

} // namespace velmora::mcl
