// Feeds arbitrary packed files to the unpacker. The first byte chooses the number of rounds
// (1..3) for the file-based unpacking; the rest is the packed file.
#include "core/data_error.h"
#include "core/packed_file.h"
#include "fuzz/fuzz_support.h"

#include <QFile>
#include <optional>

using namespace velmora;

namespace {

// Round trips are checked for contents up to this size; packing more only slows the run.
constexpr qsizetype kRoundTripLimit = 64 * 1024;
// The cap of the smallest shipped kind (parameter and combination files).
constexpr qint64 kCap = 4 * 1024 * 1024;

std::optional<QByteArray> unpacked(QByteArray data, int rounds) {
    try {
        for (int k = 0; k < rounds; ++k)
            unpack_once(data, kCap, QStringLiteral("fuzz input"));
        fuzz::require(data.size() <= kCap, "no round gives more than the cap");
        return data;
    } catch (const DataError&) {
        return std::nullopt;
    }
}

void check_round_trip(const QByteArray& content) {
    if (content.size() > kRoundTripLimit)
        return;
    const auto again = unpacked(pack_once(content, 1), 1);
    fuzz::require(again && *again == content, "what is packed unpacks to itself");
}

std::optional<QByteArray> file_content(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Both file-based unpackers agree with unpacking in memory, and a failure leaves no final file.
void check_file_unpacking(const QByteArray& packed, int rounds, const std::optional<QByteArray>& expected) {
    const QString source = fuzz::scratch_path(QStringLiteral("source.rar"));
    const QString final_path = fuzz::scratch_path(QStringLiteral("final.bin"));
    fuzz::write_scratch(source, packed);
    const auto intermediate = [](int k) { return fuzz::scratch_path(QStringLiteral("round_%1.rar").arg(k)); };

    for (const bool in_memory : {false, true}) {
        QFile::remove(final_path);
        bool failed = false;
        try {
            if (in_memory)
                unpack_nested_in_memory(source, PackedKind{rounds, kCap}, final_path);
            else
                unpack_nested(source, PackedKind{rounds, kCap}, intermediate, final_path);
        } catch (const DataError&) {
            failed = true;
        }
        fuzz::require(failed == !expected.has_value(), "files unpack as memory does");
        if (failed)
            fuzz::require(!QFile::exists(final_path), "a failed unpacking leaves no final file");
        else
            fuzz::require(file_content(final_path) == expected, "the final file holds the content");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int rounds = 1 + data[0] % 3;
    const QByteArray packed = fuzz::bytes_of(data + 1, size - 1);

    const auto once = unpacked(packed, 1);
    if (once)
        check_round_trip(*once);
    if (fuzz::through_file(size))
        check_file_unpacking(packed, rounds, rounds == 1 ? once : unpacked(packed, rounds));
    return 0;
}
