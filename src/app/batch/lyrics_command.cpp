// velmora-make lyrics: prints the timed-lyric table a lyric file gives, so a person can check it.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "core/data_error.h"
#include "media/lrc_lyrics.h"

namespace velmora::batch {

int run_lyrics(const BatchOptions& options) {
    if (options.positional.size() != 1)
        return fail(QStringLiteral("lyrics takes exactly one lyric file"));
    TimedLyricTable table;
    try {
        table.load_lyrics(options.positional.front());
    } catch (const DataError& error) {
        return fail(error.message());
    }
    if (table.lines_cut() > 0)
        std::fprintf(stderr, "velmora-make: warning: %s\n",
                     lyric_lines_cut_note(options.positional.front(), table.lines_cut()).toUtf8().constData());
    // One row per line, so the table reads like the file it came from.
    std::printf("[");
    const auto& rows = table.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const nlohmann::json row = {rows[i].time.toStdString(), rows[i].text.toStdString()};
        std::printf("%s\n  %s", i == 0 ? "" : ",", row.dump().c_str());
    }
    std::printf("%s]\n", rows.empty() ? "" : "\n");
    return 0;
}

} // namespace velmora::batch
