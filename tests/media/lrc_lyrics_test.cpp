#include <gtest/gtest.h>

#include <QFile>

#include "core/data_error.h"
#include "core/gbk_text.h"
#include "media/lrc_lyrics.h"
#include "media/script_conversion.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using Row = std::pair<QString, QString>;  // time text, lyric

std::vector<Row> rows_of(const TimedLyricTable& table) {
    std::vector<Row> rows;
    for (const TimedLyricRow& row : table.rows())
        rows.emplace_back(row.time, row.text);
    return rows;
}

std::vector<Row> tags_of(const QString& line) {
    std::vector<Row> rows;
    for (const LyricTag& tag : split_time_tags(line))
        rows.emplace_back(tag.tag, tag.text);
    return rows;
}

TEST(LrcLyrics, SplitsTheTimeTagsOfALineFromTheLastTagToTheFirst) {
    struct Case {
        QString line;
        std::vector<Row> tags;
    };
    const std::vector<Case> cases = {
        {"[00:05.00][00:35.00]X", {{"00:35.00", "X"}, {"00:05.00", "X"}}},
        {"[00:10.20]A[00:12.00]B", {{"00:12.00", "B"}, {"00:10.20", "A"}}},
        {"[00:03.10][00:04.20]Y[00:06]Z",
         {{"00:06", "Z"}, {"00:04.20", "Y"}, {"00:03.10", "Y"}}},
        {"[00:01.00]", {}},  // the last character is never examined
        {"no tags at all", {}},
        {"[01:02.50]你好，世界", {{"01:02.50", "你好，世界"}}},
        {"[00:08.00] ", {{"00:08.00", " "}}},
        // A "[" without a partner is lyric text; the load goes on.
        {"[00:01.00]a[b", {{"00:01.00", "a[b"}}},
        {"[00:02.00]a[b[c", {{"00:02.00", "a[b[c"}}},
        {"[x", {}},
        {"[[00:03.00]y", {{"00:03.00", "y"}}},
        // A "]" inside the lyric shifts the pairing of the tags to its left.
        {"[00:01.00]a]b", {{"00:01.00]a", "b"}}},
        {"[00:04.00]A]B[00:05.00]C", {{"00:05.00", "C"}, {"00:04.00]A", "B"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tags_of(c.line), c.tags) << c.line.toStdString();
}

TEST(LrcLyrics, TableHoldsTheLeadingRowTheTimedRowsThenTheInformationRows) {
    struct Case {
        const char* name;
        QString text;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases = {
        {"information lines",
         "[ti:Title]\n[ar:Singer]\n[00:01.00]One\n[al:Album]\n[by:Maker]\n[offset:500]\n[00:20.00]\n",
         {{"00:00", ""}, {"00:01.00", "One"}, {"ti", "Title"}, {"ar", "Singer"}, {"al", "Album"},
          {"by", "Maker"}}},
        {"information tag followed by a blank is moved after the other information lines",
         "[ti:Title] \n[ar:Singer]\n[00:02.00]Two",
         {{"00:00", ""}, {"00:02.00", "Two"}, {"ar", "Singer"}, {"ti", "Title"}}},
        {"only information lines", "[ti:甜蜜蜜]\r\n[ar:邓丽君]\r\n",
         {{"00:00", ""}, {"ti", "甜蜜蜜"}, {"ar", "邓丽君"}}},
        {"keys are matched as written", "[TI:Upper]\n[00:03.00]x",
         {{"00:00", ""}, {"00:03.00", "x"}}},
        {"blank and tagless lines add nothing", "\nplain words\n[00:04.00]Four\r\n\r\n",
         {{"00:00", ""}, {"00:04.00", "Four"}}},
        {"empty file", "", {{"00:00", ""}}},
    };
    for (const Case& c : cases) {
        TimedLyricTable table;
        table.load_lyrics_text(c.text);
        EXPECT_EQ(rows_of(table), c.rows) << c.name;
    }
}

TEST(LrcLyrics, FindsTheFirstTimedRowWhoseTimeBeginsWithTheClock) {
    TimedLyricTable table;
    table.load_lyrics_text(
        "[00:12.90]Early\n[00:12.10]Late\n[01:05.00]Minute\n[1:02.00]Short\n"
        "[00:30.00]\n[00:40.00]\n[00:00.50]Never\n[ti:00:50]\n[00:59.99]Last");
    struct Case {
        QString clock;
        std::optional<QString> lyric;
    };
    const std::vector<Case> cases = {
        {"00:00", ""},          // the leading row clears the line at the start of a song
        {"00:12", "Early"},     // the first of two rows in one second wins
        {"01:05", "Minute"},
        {"01:02", std::nullopt},  // one-digit minutes never match
        {"00:30", std::nullopt},  // a tag alone on its line makes no row
        {"00:59", "Last"},
        {"00:50", std::nullopt},
        {"00:13", std::nullopt},
        {"ti", std::nullopt},     // information rows are never shown
        {"99:59", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto found = table.find_lyric(c.clock);
        ASSERT_EQ(found.has_value(), c.lyric.has_value()) << c.clock.toStdString();
        if (found) {
            EXPECT_EQ(found->text, *c.lyric) << c.clock.toStdString();
        }
    }
}

TEST(LrcLyrics, ComparesLettersWithoutRegardToCase) {
    TimedLyricTable table;
    table.load_lyrics_text("[aB:01]letters\n");
    ASSERT_TRUE(table.find_lyric("Ab:0"));
    EXPECT_EQ(table.find_lyric("AB:01")->text, "letters");
    EXPECT_FALSE(table.find_lyric("ab:02"));
    TimedLyricTable empty;
    EXPECT_FALSE(empty.find_lyric("00:00"));
}

TEST(LrcLyrics, ReadsGbkAndUtf8Files) {
    const test::TempFolder folder;
    const QString lyric = QStringLiteral("[ti:甜蜜蜜]\n[00:05.00][00:35.00]甜蜜蜜 你笑得甜蜜蜜\n");
    const std::vector<Row> expected = {{"00:00", ""},
                                       {"00:35.00", "甜蜜蜜 你笑得甜蜜蜜"},
                                       {"00:05.00", "甜蜜蜜 你笑得甜蜜蜜"},
                                       {"ti", "甜蜜蜜"}};
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {"gbk.lrc", encode_gbk(lyric)},
        {"utf8.lrc", lyric.toUtf8()},
        {"utf8-bom.lrc", QByteArray("\xEF\xBB\xBF") + lyric.toUtf8()},
    };
    for (const Case& c : cases) {
        TimedLyricTable table;
        table.load_lyrics(folder.write(c.name, c.bytes));
        EXPECT_EQ(rows_of(table), expected) << c.name;
    }
    EXPECT_EQ(decode_lrc_text("\xC4\xE3\xBA\xC3"), QStringLiteral("你好"));  // GBK, not UTF-8
}

TEST(LrcLyrics, AFileThatCannotBeReadLeavesTheTableEmptyAndNamesTheFile) {
    const test::TempFolder folder;
    TimedLyricTable table;
    table.load_lyrics(folder.write("first.lrc", "[00:01.00]kept before\n"));
    ASSERT_FALSE(table.rows().empty());
    const QString missing = folder.file("missing.lrc");
    try {
        table.load_lyrics(missing);
        FAIL() << "a missing file must not load";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains(missing)) << error.what();
    }
    EXPECT_TRUE(table.rows().empty());
}

// A file of `size` bytes: `start`, then zero bytes, written without holding them.
QString sparse_file(const test::TempFolder& folder, const QString& name, const QByteArray& start, qint64 size) {
    QFile file(folder.file(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(start);
    file.resize(size);
    return file.fileName();
}

TEST(LrcLyrics, AFileOverTwoMegabytesIsRefusedUnreadNamingIt) {
    const test::TempFolder folder;
    const QString big = sparse_file(folder, "big.lrc", "[00:01.00]a\n", kMaxLyricFileBytes + 1);
    EXPECT_FALSE(lyric_file_refusal(big).isEmpty());
    EXPECT_TRUE(lyric_file_refusal(folder.file("missing.lrc")).isEmpty()) << "reading it fails instead";
    TimedLyricTable table;
    table.load_lyrics_text("[00:01.00]kept before\n");
    try {
        table.load_lyrics(big);
        FAIL() << "a file over 2 MB must not load";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains(big)) << error.what();
    }
    EXPECT_TRUE(table.rows().empty());

    // At the bound: the brackets that once took half a minute to pair load at once, cut to one short line.
    const QByteArray brackets = QByteArray(kMaxLyricFileBytes / 2, '[') + QByteArray(kMaxLyricFileBytes / 2, ']');
    table.load_lyrics(folder.write("brackets.lrc", brackets));
    EXPECT_EQ(table.lines_cut(), 1);
    EXPECT_EQ(table.rows().size(), 1u) << "a thousand unpaired \"[\" time nothing";
}

TEST(LrcLyrics, LinesAreCutAtAThousandCharactersAndCounted) {
    const QString smiley = QStringLiteral("\U0001F600");  // two UTF-16 units
    const struct {
        QString line;
        qsizetype kept;  // characters of the lyric text kept after the 10-character tag
        bool cut;
    } cases[] = {
        {"[00:02.00]" + QString(990, 'a'), 990, false},
        {"[00:02.00]" + QString(991, 'a'), 990, true},
        {"[00:02.00]" + QString(5000, QChar(0x751C)), 990, true},   // 甜: counted as one character each
        {"[00:02.00]" + QString(989, 'a') + smiley + "b", 989, true},  // never half a pair
    };
    for (const auto& c : cases) {
        TimedLyricTable table;
        table.load_lyrics_text(c.line + "\n[00:03.00]next\n");
        ASSERT_EQ(table.rows().size(), 3u);
        EXPECT_EQ(table.rows()[1].text.size(), c.kept) << c.line.size();
        EXPECT_EQ(table.rows()[2].text, "next");
        EXPECT_EQ(table.lines_cut(), c.cut ? 1 : 0) << c.line.size();
    }
    EXPECT_FALSE(lyric_lines_cut_note("/songs/a.lrc", 2).indexOf("/songs/a.lrc") < 0);
}

TEST(LrcLyrics, AStoppedLoadLeavesTheTableEmpty) {
    TimedLyricTable table;
    int asked = 0;
    table.load_lyrics_text("[00:01.00]a\n[00:02.00]b\n", [&] { return ++asked == 2; });
    EXPECT_TRUE(table.rows().empty());
    EXPECT_EQ(asked, 2);
}

TEST(LrcLyrics, ListEntriesPairWithSongsByPosition) {
    const std::vector<LyricEntry> entries = {lyric_entry_for("/songs/甜蜜蜜.lrc"),
                                             lyric_entry_for("/songs/b.LRC")};
    EXPECT_EQ(entries[0].name, "甜蜜蜜");
    EXPECT_EQ(entries[0].format, ".lrc");
    EXPECT_EQ(entries[0].location, "/songs/甜蜜蜜.lrc");
    EXPECT_EQ(entries[1].format, ".LRC");
    ASSERT_TRUE(lyric_for_song(entries, 1));
    EXPECT_EQ(lyric_for_song(entries, 1)->name, "b");
    EXPECT_FALSE(lyric_for_song(entries, 2));
    EXPECT_FALSE(lyric_for_song(entries, -1));
}

TEST(ScriptConversion, ConvertsBetweenSimplifiedAndTraditional) {
    struct Case {
        QString text;
        ChineseScript script;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"简体", ChineseScript::Traditional, "簡體"},
        {"簡體", ChineseScript::Simplified, "简体"},
        {"简体", ChineseScript::Simplified, "简体"},
        {"abc 12", ChineseScript::Traditional, "abc 12"},
        {"", ChineseScript::Traditional, ""},
    };
    ScriptConversion conversion;
    for (const Case& c : cases)
        EXPECT_EQ(conversion.convert(c.text, c.script), c.expected) << c.text.toStdString();
    EXPECT_EQ(conversion.convert(conversion.convert("简体", ChineseScript::Traditional), ChineseScript::Simplified),
              "简体");
    EXPECT_EQ(script_from_setting("jianti"), ChineseScript::Simplified);
    EXPECT_EQ(script_from_setting("fanti"), ChineseScript::Traditional);
    EXPECT_EQ(script_from_setting("other"), std::nullopt);
}

} // namespace
} // namespace velmora
