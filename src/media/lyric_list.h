#pragma once

#include <optional>
#include <vector>
#include <QStringList>

#include "core/ui.h"
#include "media/lrc_lyrics.h"
#include "media/lyric_settings.h"

namespace velmora {

// The sample lyric file offered the first time the lyric dialog opens in a run, when it exists
// beside the program: "yinyuegeciwenjian/甜蜜蜜.lrc".
QString sample_lyrics_path(const QString& program_folder);

// The album's lyric files, lyric file k belonging to song k, each with its settings row at the
// same position. Rows are added, deleted and renumbered together.
class LyricList {
public:
    const std::vector<LyricEntry>& entries() const { return entries_; }
    const std::vector<LyricSettingsRow>& settings() const { return settings_; }
    int size() const { return int(entries_.size()); }
    bool empty() const { return entries_.empty(); }

    // Appends the files in order, each with default settings; their content is not read here.
    // A file over kMaxLyricFileBytes is left out with a message naming it. Progress goes to
    // `ui`. Returns the count added.
    int add_lyrics(const QStringList& files, Ui& ui);

    // "删除歌词": after confirmation deletes the first (in list order) of the selected rows and
    // its settings row. Returns whether a row was deleted.
    bool delete_selected(const std::vector<int>& selected_rows, Ui& ui);
    // "全部删除": empties both lists after confirmation.
    bool delete_all(Ui& ui);

    // The settings row of `row`; out of range rows are refused with DataError.
    const LyricSettingsRow& settings_row(int row) const;
    // Stores edited settings for `row`; the name, format and location copies stay as they are.
    void store_settings(int row, const LyricSettingsRow& settings);

    // The lyric file of song row `song_row`, when the list is long enough.
    std::optional<LyricEntry> lyric_for_song(int song_row) const;

private:
    std::vector<LyricEntry> entries_;
    std::vector<LyricSettingsRow> settings_;
};

} // namespace velmora
