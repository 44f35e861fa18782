#pragma once

#include <functional>
#include <optional>
#include <vector>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora {

// One row of the lyric list. Its 1-based number is its position in the list.
struct LyricEntry {
    QString name;      // file name without folder and extension
    QString format;    // extension with its dot, as written (".lrc"), empty without one
    QString location;  // full path of the LRC file
};

// The list row for a chosen file; the file itself is not read.
LyricEntry lyric_entry_for(const QString& path);

// The lyric file of song row `song_row`: entry `song_row` when the list is long enough.
std::optional<LyricEntry> lyric_for_song(const std::vector<LyricEntry>& entries, int song_row);

// One row of the timed-lyric table.
struct TimedLyricRow {
    QString time;  // "位置": a time tag as written (00:12.34), "00:00", or "ti", "ar", "al", "by"
    QString text;  // "歌词": the lyric, or the information value
    bool information = false;  // information rows are never shown
};

// One time tag of a lyric line with the text it times.
struct LyricTag {
    QString tag;
    QString text;
};

// The tags of one lyric line from its last tag to its first. A "[" without a "]" to pair
// with is ordinary lyric text; a line without tags gives nothing.
std::vector<LyricTag> split_time_tags(const QString& line);

// LRC bytes as text: UTF-8 when they start with a byte-order mark or are valid UTF-8,
// GBK otherwise.
QString decode_lrc_text(const QByteArray& bytes);

// Lyric files are small: anything larger is not a lyric file and is refused unread, so that a
// hostile file can never cost much time or memory. Longer lines are cut to this many
// characters, more than any song line needs and little enough to draw on every frame.
inline constexpr qint64 kMaxLyricFileBytes = 2 * 1024 * 1024;
inline constexpr qsizetype kMaxLyricLineLength = 1000;

// Why the file at `path` is refused before reading (naming it), or empty. Only its size is
// looked at; a file that does not exist passes here and fails when it is read.
QString lyric_file_refusal(const QString& path);

// The note that `count` lines of the lyric file at `path` were cut to kMaxLyricLineLength.
QString lyric_lines_cut_note(const QString& path, int count);

// Asked before each line while reading; true stops the load and leaves the table empty.
using LyricLoadStop = std::function<bool()>;

// The timed-lyric table: the "00:00" row, the timed rows, then the information rows.
class TimedLyricTable {
public:
    // Replaces the table by the lyrics of an LRC file. A file that cannot be read or is
    // refused by lyric_file_refusal throws DataError naming the file and the reason; the table
    // is then empty. Time and memory grow linearly with the file's size.
    void load_lyrics(const QString& path, const LyricLoadStop& stop = {});
    // The same for text already read. Lines longer than kMaxLyricLineLength are cut to it.
    void load_lyrics_text(const QString& text, const LyricLoadStop& stop = {});
    // How many lines the last load cut.
    int lines_cut() const { return lines_cut_; }

    // The first timed row whose time text begins with `clock` (mm:ss), letters compared
    // without regard to case; information rows are never found.
    std::optional<TimedLyricRow> find_lyric(const QString& clock) const;

    const std::vector<TimedLyricRow>& rows() const { return rows_; }
    void clear() { rows_.clear(); lines_cut_ = 0; }

private:
    std::vector<TimedLyricRow> rows_;
    int lines_cut_ = 0;
};

} // namespace velmora
