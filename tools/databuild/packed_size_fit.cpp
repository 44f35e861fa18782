#include "packed_size_fit.h"

#include <stdexcept>
#include <string>

#include "core/packed_file.h"

namespace velmora::databuild {

QByteArray pack_to_exact_size(const QByteArray& json_text, int rounds, qint64 target_size) {
    qint64 padding = 0;
    // The packed size grows with the content by one byte per byte, plus a block header every
    // 64 KiB or so per round; a handful of steps always settle.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QByteArray content = json_text + QByteArray(padding, ' ');
        const QByteArray packed = velmora::pack_nested(content, rounds, 0);
        const qint64 missing = target_size - packed.size();
        if (missing == 0)
            return packed;
        if (padding + missing < 0)
            throw std::runtime_error("the start-up movie is " + std::to_string(json_text.size()) +
                                     " bytes of JSON, too large to pack into " + std::to_string(target_size) +
                                     " bytes in " + std::to_string(rounds) + " rounds");
        padding += missing;
    }
    throw std::runtime_error("cannot pack the start-up movie to exactly " + std::to_string(target_size) + " bytes");
}

} // namespace velmora::databuild
