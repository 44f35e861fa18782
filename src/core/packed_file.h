#pragma once

#include <functional>
#include <QByteArray>
#include <QString>

namespace velmora {

// A packed file is a 4-byte little-endian signed length N followed by one zlib stream
// that inflates to the N bytes of content. Shipped data is packed several rounds over; the
// number of rounds is fixed per kind of file and not recorded in the file.

// Replaces `buffer` by its unpacked content; an empty buffer stays empty.
// Throws DataError (naming `what`) when the length field is negative, larger than the stream
// inflates to, or absurd for the packed size, or when the zlib data is damaged. The buffer is
// unchanged on failure and no allocation larger than the checked length is made.
void unpack_once(QByteArray& buffer, const QString& what = QStringLiteral("packed data"));

// One round of packing, as the data builder and test fixtures write it. `level` is a zlib
// compression level (0 stores the content, 9 compresses hardest).
QByteArray pack_once(const QByteArray& content, int level = 9);

// `rounds` rounds of pack_once; the innermost round is the first.
QByteArray pack_nested(const QByteArray& content, int rounds, int level = 9);

// Name of the file written after unpack round k (1-based) by unpack_nested.
using IntermediateName = std::function<QString(int round)>;

// Unpacks `source` `rounds` times. Rounds 1..R-1 each read the current file whole, unpack it
// once and write it to intermediate(k), which becomes the current file; the last round writes
// `final_path`. Intermediates stay where they were written. The final file is written under a
// temporary name and renamed when complete, so a failure never leaves a file at `final_path`.
// Throws DataError when a file cannot be read or written or its data is damaged.
void unpack_nested(const QString& source, int rounds, const IntermediateName& intermediate,
                   const QString& final_path);

// Unpacks `source` `rounds` times in memory and writes only the final file (under a temporary
// name, renamed when complete). For sites whose intermediates nobody reads. Throws DataError.
void unpack_nested_in_memory(const QString& source, int rounds, const QString& final_path);

// The current time of day as six digits hhnnss, part of every intermediate name.
QString time_of_day_stamp();

} // namespace velmora
