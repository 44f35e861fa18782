#include "media/lrc_lyrics.h"

#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "core/data_error.h"
#include "core/file_utils.h"
#include "core/gbk_text.h"

namespace velmora {
namespace {

const QStringList kInformationKeys = {QStringLiteral("ti"), QStringLiteral("ar"),
                                      QStringLiteral("al"), QStringLiteral("by")};

// Characters of `s` from `from` up to, not including, `to`; empty when `to` is not after `from`.
QString between(const QString& s, qsizetype from, qsizetype to) {
    return to > from ? s.mid(from, to - from) : QString();
}

bool is_information_tag(const QString& tag) {
    return std::any_of(kInformationKeys.begin(), kInformationKeys.end(),
                       [&](const QString& key) { return tag.startsWith(key); });
}

// Cuts `line` to kMaxLyricLineLength characters, never between the two halves of a surrogate
// pair; true when it was longer.
bool cut_long_line(QString& line) {
    if (line.size() <= kMaxLyricLineLength)
        return false;
    qsizetype length = kMaxLyricLineLength;
    if (line.at(length - 1).isHighSurrogate())
        --length;
    line.truncate(length);
    return true;
}

// The text lines of a file; a "\r" before the line break is not part of the line. Long lines
// are cut, counted in `cut`.
QStringList text_lines(const QString& text, int& cut) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();  // the break after the last line opens no new line
    cut = 0;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        cut += cut_long_line(line) ? 1 : 0;
    }
    return lines;
}

[[noreturn]] void cannot_read(const QString& path, const QString& reason) {
    throw DataError(QStringLiteral("Cannot read lyric file \"%1\": %2").arg(path, reason));
}

// The scan state of one line, walked from its end towards its start.
class TagScanner {
public:
    explicit TagScanner(const QString& line) : s_(line), end_(line.size()) {}

    std::vector<LyricTag> run() {
        for (qsizetype p = s_.size() - 2; p >= 0; --p) {
            if (s_[p] == QLatin1Char(']'))
                closes_.push_back(p);
            else if (s_[p] == QLatin1Char('[') && closes_.size() > opens_.size())
                take_tag(p);
            // A "[" with no "]" left to pair with is lyric text and stays in the line.
        }
        return tags_;
    }

private:
    void take_tag(qsizetype p) {
        opens_.push_back(p);
        const qsizetype close = closes_[opens_.size() - 1];
        const QString tag = between(s_, p + 1, std::min(close, end_));
        if (opens_.size() == 1) {
            shared_ = between(s_, close + 1, end_);
        } else if (closes_.back() + 1 != opens_[opens_.size() - 2]) {
            // Not written back to back with the tag on its right: its own text runs up to it.
            shared_ = between(s_, close + 1, end_);
        }
        tags_.push_back({tag, shared_});
        end_ = p;  // the scan goes on in the line cut before this tag
    }

    const QString& s_;
    qsizetype end_;
    std::vector<qsizetype> closes_;
    std::vector<qsizetype> opens_;
    QString shared_;
    std::vector<LyricTag> tags_;
};

// An information row from a line such as "[ti:Title]", or nothing for any other line.
std::optional<TimedLyricRow> information_row(const QString& line) {
    const QString key = line.mid(1, 2);
    if (line.size() < 3 || !kInformationKeys.contains(key))
        return std::nullopt;
    return TimedLyricRow{key, between(line, 4, line.size() - 1), true};
}

} // namespace

LyricEntry lyric_entry_for(const QString& path) {
    const QFileInfo info(path);
    const QString file_name = info.fileName();
    const qsizetype dot = file_name.lastIndexOf(QLatin1Char('.'));
    LyricEntry entry;
    entry.name = dot < 0 ? file_name : file_name.left(dot);
    entry.format = dot < 0 ? QString() : file_name.mid(dot);
    entry.location = info.absoluteFilePath();
    return entry;
}

std::optional<LyricEntry> lyric_for_song(const std::vector<LyricEntry>& entries, int song_row) {
    if (song_row < 0 || static_cast<std::size_t>(song_row) >= entries.size())
        return std::nullopt;
    return entries[static_cast<std::size_t>(song_row)];
}

std::vector<LyricTag> split_time_tags(const QString& line) {
    return TagScanner(line).run();
}

QString decode_lrc_text(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? decode_gbk(bytes) : text;
}

QString lyric_file_refusal(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= kMaxLyricFileBytes)
        return {};
    return QStringLiteral("The lyric file \"%1\" is refused: it is %2 bytes, over the limit of 2 MB (%3 bytes)")
        .arg(path).arg(info.size()).arg(kMaxLyricFileBytes);
}

QString lyric_lines_cut_note(const QString& path, int count) {
    return QStringLiteral("The lyric file \"%1\" has %2 lines longer than %3 characters; they were cut to that length")
        .arg(path).arg(count).arg(kMaxLyricLineLength);
}

void TimedLyricTable::load_lyrics(const QString& path, const LyricLoadStop& stop) {
    clear();
    const QString refusal = lyric_file_refusal(path);
    if (!refusal.isEmpty())
        throw DataError(refusal);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannot_read(path, file.errorString());
    // Bounded even when the file grew since it was measured.
    const QByteArray bytes = read_at_most(file, kMaxLyricFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        cannot_read(path, file.errorString());
    if (bytes.size() > kMaxLyricFileBytes)
        cannot_read(path, QStringLiteral("it is over the limit of 2 MB"));
    load_lyrics_text(decode_lrc_text(bytes), stop);
}

void TimedLyricTable::load_lyrics_text(const QString& text, const LyricLoadStop& stop) {
    clear();
    QStringList information_lines;
    QStringList moved_lines;  // information tags found inside lyric lines, placed after the rest
    std::vector<TimedLyricRow> timed;
    int cut = 0;
    for (const QString& line : text_lines(text, cut)) {
        if (stop && stop())
            return;
        if (line.endsWith(QLatin1Char(']'))) {
            information_lines.append(line);
            continue;
        }
        for (const LyricTag& tag : split_time_tags(line)) {
            if (is_information_tag(tag.tag))
                moved_lines.append(QLatin1Char('[') + tag.tag + QLatin1Char(']'));
            else
                timed.push_back({tag.tag, tag.text, false});
        }
    }
    information_lines.append(moved_lines);
    rows_.push_back({QStringLiteral("00:00"), QString(), false});
    rows_.insert(rows_.end(), timed.begin(), timed.end());
    for (const QString& line : information_lines) {
        if (auto row = information_row(line))
            rows_.push_back(*row);
    }
    lines_cut_ = cut;
}

std::optional<TimedLyricRow> TimedLyricTable::find_lyric(const QString& clock) const {
    for (const TimedLyricRow& row : rows_) {
        if (!row.information && row.time.startsWith(clock, Qt::CaseInsensitive))
            return row;
    }
    return std::nullopt;
}

} // namespace velmora
