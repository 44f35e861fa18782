#pragma once

#include <functional>
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace velmora {

// Called once per entry visited by a long file walk; the caller advances its progress bar and
// lets pending interface events run, so windows stay drawn during the walk.
using ProgressStep = std::function<void()>;
// Lets pending interface events run once.
using PumpEvents = std::function<void()>;

// True for the packed-file extensions, exactly ".rar" or ".RAR" (other letter cases are not
// packed files).
bool has_packed_extension(const QString& file_name);

// Appends the full path of every packed file below `folder` to `list`. Entries are visited in
// name order and a sub-folder is walked where it occurs in that order, so its files come before
// the entries that follow it. A missing folder adds nothing.
void scan_packed(const QString& folder, QStringList& list);

// The number of packed files below `folder`, by the same walk.
int count_packed(const QString& folder);

// Removes `folder` with everything in it; `step` (optional) runs after every entry visited.
// Files that cannot be removed are left (the folder then stays); a missing folder is no error.
void delete_tree(const QString& folder, const ProgressStep& step = {});

// Reads up to `max_bytes` from `device`, the buffer growing with what the device delivers.
// QIODevice::read(max_bytes) allocates the whole bound up front, which costs a large cap on
// every small file. Callers that refuse what passes a bound ask for one byte more than it.
QByteArray read_at_most(QIODevice& device, qint64 max_bytes);

// The size in bytes of the file at `path`, or -1 when there is no such file.
qint64 file_size(const QString& path);

// Loads the bitmap at `bitmap_path`, encodes it as JPEG at quality 90 and saves it under
// `target_path` with its extension replaced by ".jpg" (written under a temporary name, then
// renamed). `pump` (optional) runs once after saving. Returns the written path.
// Throws DataError when the bitmap cannot be read or the JPEG cannot be written.
QString bitmap_file_to_jpeg(const QString& bitmap_path, const QString& target_path,
                            const PumpEvents& pump = {});

} // namespace velmora
