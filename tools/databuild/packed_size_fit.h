#pragma once

#include <QByteArray>

namespace velmora::databuild {

// Packs `json_text` `rounds` times with stored (level 0) zlib rounds, padding the JSON with
// trailing spaces so that the packed file is exactly `target_size` bytes. Stored rounds grow
// by a fixed amount for a given content size, so the padding is found by stepping towards
// the target. Throws std::runtime_error when the JSON alone is already too large.
QByteArray pack_to_exact_size(const QByteArray& json_text, int rounds, qint64 target_size);

} // namespace velmora::databuild
