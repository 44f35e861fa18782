// Feeds arbitrary bytes to the LRC reader: decoding (UTF-8 or GBK), the tag scanner, the
// timed-lyric table and the lookup by clock text.
#include "fuzz/fuzz_support.h"
#include "media/lrc_lyrics.h"

using namespace velmora;

namespace {

bool same_rows(const TimedLyricTable& a, const TimedLyricTable& b) {
    if (a.rows().size() != b.rows().size())
        return false;
    for (std::size_t i = 0; i < a.rows().size(); ++i) {
        const TimedLyricRow& x = a.rows()[i];
        const TimedLyricRow& y = b.rows()[i];
        if (x.time != y.time || x.text != y.text || x.information != y.information)
            return false;
    }
    return true;
}

void check_table(const TimedLyricTable& table) {
    fuzz::require(!table.rows().empty() && table.rows().front().time == QStringLiteral("00:00"),
                  "the table starts with the 00:00 row");
    bool information_seen = false;
    for (const TimedLyricRow& row : table.rows()) {
        fuzz::require(!information_seen || row.information, "information rows come last");
        information_seen = information_seen || row.information;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::keep_gbk_converters_loaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    const QString text = decode_lrc_text(bytes);

    TimedLyricTable table;
    table.load_lyrics_text(text);
    check_table(table);
    for (std::size_t i = 0; i < table.rows().size() && i < 16; ++i) {
        const auto found = table.find_lyric(table.rows()[i].time);
        fuzz::require(!found || !found->information, "information rows are never found");
    }
    (void)table.find_lyric(QStringLiteral("00:1"));
    (void)split_time_tags(text);

    // A load stopped before the first line leaves the table empty.
    TimedLyricTable stopped;
    stopped.load_lyrics_text(text, [] { return true; });
    fuzz::require(stopped.rows().empty() || text.isEmpty(), "a stopped load leaves the table empty");

    if (fuzz::through_file(size)) {
        const QString path = fuzz::scratch_path(QStringLiteral("lyrics.lrc"));
        fuzz::write_scratch(path, bytes);
        TimedLyricTable from_file;
        from_file.load_lyrics(path);
        fuzz::require(same_rows(table, from_file), "a file reads as its text does");
    }
    return 0;
}
