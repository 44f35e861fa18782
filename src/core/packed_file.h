#pragma once

#include <functional>
#include <QByteArray>
#include <QString>

namespace velmora {

// A packed file is a 4-byte little-endian signed length N followed by one zlib stream
// that inflates to the N bytes of content. Shipped data is packed several rounds over; the
// number of rounds is fixed per kind of file and not recorded in the file.

// How a kind of packed file is unpacked: the number of rounds, and the most bytes any round
// may produce. The cap bounds every round, since a hostile file can make any one of them huge.
struct PackedKind {
    int rounds = 1;
    qint64 max_content_bytes = 0;
};

// Replaces `buffer` by its unpacked content; an empty buffer stays empty.
// Throws DataError (naming `what`) when the length field is negative or over
// `max_content_bytes`, when the stream inflates to fewer or more bytes than the length field
// says, or when the zlib data is damaged. Inflating stops as soon as the output passes the
// length field, and memory grows with what the stream really delivers, so a lying length
// field costs no more than the data it lies about. The buffer is unchanged on failure.
void unpack_once(QByteArray& buffer, qint64 max_content_bytes, const QString& what = QStringLiteral("packed data"));

// One round of packing, as the data builder and test fixtures write it. `level` is a zlib
// compression level (0 stores the content, 9 compresses hardest).
QByteArray pack_once(const QByteArray& content, int level = 9);

// `rounds` rounds of pack_once; the innermost round is the first.
QByteArray pack_nested(const QByteArray& content, int rounds, int level = 9);

// Name of the file written after unpack round k (1-based) by unpack_nested.
using IntermediateName = std::function<QString(int round)>;

// Unpacks `source` `kind.rounds` times. Rounds 1..R-1 each read the current file whole,
// unpack it once and write it to intermediate(k), which becomes the current file; the last
// round writes `final_path`. Intermediates stay where they were written. The final file is
// written under a temporary name and renamed when complete, so a failure never leaves a file
// at `final_path`. Throws DataError when a file cannot be read or written, its data is damaged
// or a round would produce more than `kind.max_content_bytes`.
void unpack_nested(const QString& source, const PackedKind& kind, const IntermediateName& intermediate,
                   const QString& final_path);

// Unpacks `source` `kind.rounds` times in memory and writes only the final file (under a
// temporary name, renamed when complete). For sites whose intermediates nobody reads. Throws
// DataError as unpack_nested does.
void unpack_nested_in_memory(const QString& source, const PackedKind& kind, const QString& final_path);

// The current time of day as six digits hhnnss, part of every intermediate name.
QString time_of_day_stamp();

} // namespace velmora
