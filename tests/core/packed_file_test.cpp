#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/packed_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

QByteArray with_length_field(qint32 length, const QByteArray& packed) {
    QByteArray copy = packed;
    for (int i = 0; i < 4; ++i)
        copy[i] = char((quint32(length) >> (8 * i)) & 0xff);
    return copy;
}

TEST(UnpackOnce, RestoresContentAndLeavesEmptyBufferAlone) {
    const QByteArray content = QByteArray("template parameters ").repeated(50);
    QByteArray buffer = pack_once(content);
    unpack_once(buffer);
    EXPECT_EQ(buffer, content);

    QByteArray empty;
    unpack_once(empty);
    EXPECT_TRUE(empty.isEmpty());

    QByteArray zero_length = pack_once(QByteArray());
    unpack_once(zero_length);
    EXPECT_TRUE(zero_length.isEmpty());
}

TEST(UnpackOnce, RejectsDamagedAndHostileLengthFields) {
    const QByteArray content = QByteArray("abcdefgh").repeated(100); // 800 bytes
    const QByteArray packed = pack_once(content);
    struct Case {
        const char* name;
        QByteArray data;
    };
    QByteArray corrupted = packed;
    corrupted[10] = char(corrupted[10] ^ 0x5a);
    const Case cases[] = {
        {"negative length", with_length_field(-1, packed)},
        {"longer than the stream inflates to", with_length_field(801, packed)},
        {"absurd for the packed size", with_length_field(64 * int(packed.size()) + 1024 * 1024 + 1, packed)},
        {"near 2 GiB is never allocated", with_length_field(0x7fffffff, packed)},
        {"shorter than its length field", QByteArray("\x01\x00", 2)},
        {"damaged zlib data", corrupted},
        {"no zlib stream at all", with_length_field(5, QByteArray(4, '\0') + "plain")},
    };
    for (const Case& c : cases) {
        QByteArray buffer = c.data;
        EXPECT_THROW(unpack_once(buffer), DataError) << c.name;
        EXPECT_EQ(buffer, c.data) << c.name << ": the buffer must stay unchanged";
    }
}

TEST(UnpackOnce, AcceptsLengthsUpToTheRatioBound) {
    // Highly compressible content is legitimately far larger than its packed form.
    const QByteArray content(1024 * 1024 + 4096, 'x'); // far larger than its packed form, within the slack
    QByteArray buffer = pack_once(content);
    unpack_once(buffer);
    EXPECT_EQ(buffer.size(), content.size());
}

TEST(UnpackNested, WritesEveryIntermediateAndTheFinalFile) {
    test::TempFolder dir;
    const QByteArray content = "[l_x_v_e_l_m_w_j_s_y]\r\nl_x_v_e_l_m_w_j_s_y=v_e_l_m_s_y_l_x\r\n";
    const QString source = dir.write("packed/param.rar", pack_nested(content, 20));
    QDir().mkpath(dir.file("work"));
    const QString final_path = dir.file("work/param1.ini");

    unpack_nested(source, 20, [&](int k) { return dir.file(QStringLiteral("work/param1-%1.rar").arg(k)); },
                  final_path);

    EXPECT_EQ(test::read_file(final_path), content);
    for (int k = 1; k <= 19; ++k) {
        const QString intermediate = dir.file(QStringLiteral("work/param1-%1.rar").arg(k));
        ASSERT_TRUE(QFile::exists(intermediate)) << k;
        QByteArray rest = test::read_file(intermediate);
        for (int r = k; r < 20; ++r)
            unpack_once(rest);
        EXPECT_EQ(rest, content) << "intermediate " << k << " holds " << 20 - k << " more rounds";
    }
    EXPECT_EQ(QDir(dir.file("work")).entryList(QDir::Files).size(), 20);
}

TEST(UnpackNested, OneRoundNeedsNoIntermediateAndEmptyFilesStayEmpty) {
    test::TempFolder dir;
    const QString source = dir.write("once.rar", pack_once("movie"));
    unpack_nested(source, 1, [](int) -> QString { ADD_FAILURE() << "no intermediate for one round"; return {}; },
                  dir.file("once.out"));
    EXPECT_EQ(test::read_file(dir.file("once.out")), QByteArray("movie"));

    const QString empty = dir.write("empty.rar", QByteArray());
    unpack_nested(empty, 3, [&](int k) { return dir.file(QStringLiteral("e%1").arg(k)); }, dir.file("empty.out"));
    EXPECT_TRUE(QFile::exists(dir.file("empty.out")));
    EXPECT_EQ(QFile(dir.file("empty.out")).size(), 0);
}

TEST(UnpackNested, DamagedOrMissingSourceWritesNothingAtTheFinalPath) {
    test::TempFolder dir;
    QByteArray packed = pack_nested("content", 3);
    const QString damaged = dir.write("damaged.rar", with_length_field(-5, packed));
    const auto name = [&](int k) { return dir.file(QStringLiteral("i%1").arg(k)); };

    EXPECT_THROW(unpack_nested(damaged, 3, name, dir.file("out")), DataError);
    EXPECT_THROW(unpack_nested(dir.file("missing.rar"), 3, name, dir.file("out")), DataError);
    EXPECT_FALSE(QFile::exists(dir.file("out")));
    EXPECT_TRUE(QDir(dir.path()).entryList({"out*"}, QDir::Files).isEmpty()) << "no temporary file left behind";
}

TEST(TimeOfDayStamp, IsSixDigits) {
    EXPECT_TRUE(QRegularExpression("^[0-2][0-9][0-5][0-9][0-5][0-9]$").match(time_of_day_stamp()).hasMatch());
}

} // namespace
} // namespace velmora
