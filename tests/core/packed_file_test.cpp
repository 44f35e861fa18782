#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <zlib.h>

#include "core/data_error.h"
#include "core/packed_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

constexpr qint64 kCap = 4 * 1024 * 1024;

QByteArray with_length_field(qint32 length, const QByteArray& packed) {
    QByteArray copy = packed;
    for (int i = 0; i < 4; ++i)
        copy[i] = char((quint32(length) >> (8 * i)) & 0xff);
    return copy;
}

TEST(UnpackOnce, RestoresContentAndLeavesEmptyBufferAlone) {
    const QByteArray content = QByteArray("template parameters ").repeated(50);
    QByteArray buffer = pack_once(content);
    unpack_once(buffer, kCap);
    EXPECT_EQ(buffer, content);

    QByteArray empty;
    unpack_once(empty, kCap);
    EXPECT_TRUE(empty.isEmpty());

    QByteArray zero_length = pack_once(QByteArray());
    unpack_once(zero_length, kCap);
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
        {"over the cap", with_length_field(int(kCap) + 1, packed)},
        {"near 2 GiB is never allocated", with_length_field(0x7fffffff, packed)},
        {"shorter than its length field", QByteArray("\x01\x00", 2)},
        {"damaged zlib data", corrupted},
        {"no zlib stream at all", with_length_field(5, QByteArray(4, '\0') + "plain")},
    };
    for (const Case& c : cases) {
        QByteArray buffer = c.data;
        EXPECT_THROW(unpack_once(buffer, kCap), DataError) << c.name;
        EXPECT_EQ(buffer, c.data) << c.name << ": the buffer must stay unchanged";
    }
}

// A zlib stream of `size` zero bytes made without holding them, as an attacker would make
// one: a few KB of stream that inflates to far more.
QByteArray packed_zeros(qint64 size) {
    const QByteArray zeros(1024 * 1024, '\0');
    QByteArray out = with_length_field(qint32(std::min<qint64>(size, 0x7fffffff)), QByteArray(4, '\0'));
    z_stream zs{};
    deflateInit(&zs, 9);
    char chunk[16384];
    for (qint64 left = size; left >= 0;) {
        const qint64 now = std::min<qint64>(left, zeros.size());
        left -= now;
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
        zs.avail_in = uInt(now);
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int rc = Z_OK;
        do {
            zs.next_out = reinterpret_cast<Bytef*>(chunk);
            zs.avail_out = sizeof chunk;
            rc = deflate(&zs, flush);
            out.append(chunk, qsizetype(sizeof chunk - zs.avail_out));
        } while (zs.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
        if (flush == Z_FINISH)
            break;
    }
    deflateEnd(&zs);
    return out;
}

TEST(UnpackOnce, AcceptsAnyRatioUnderTheCap) {
    // A legitimate movie of long repeated runs packs at well over 100:1.
    const QByteArray content = QByteArray("{\"ty\":4,\"ks\":{}},").repeated(150000);
    QByteArray buffer = pack_once(content);
    ASSERT_GT(content.size(), 141 * buffer.size());
    unpack_once(buffer, 64 * 1024 * 1024);
    EXPECT_EQ(buffer, content);
}

TEST(UnpackOnce, StopsAtTheLengthFieldWhenTheStreamGoesOn) {
    // The length field says 1000 bytes; the stream would go on to 40 MB.
    QByteArray lying = with_length_field(1000, packed_zeros(16 * 1024 * 1024));
    const QByteArray before = lying;
    try {
        unpack_once(lying, kCap, "lying.rar");
        ADD_FAILURE() << "accepted a stream longer than its length field";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains("lying.rar")) << error.what();
        EXPECT_TRUE(error.message().contains("more")) << error.what();
    }
    EXPECT_EQ(lying, before);
}

TEST(UnpackNested, RefusesARoundOverTheKindsCapBeforeInflatingIt) {
    test::TempFolder dir;
    // A few KB on disk; its third round would be 16 MB.
    const QByteArray packed = pack_nested(packed_zeros(16 * 1024 * 1024), 2);
    ASSERT_LT(packed.size(), 4096);
    const QString source = dir.write("bomb.rar", packed);
    const auto name = [&](int k) { return dir.file(QStringLiteral("i%1").arg(k)); };
    for (const bool in_memory : {false, true}) {
        try {
            if (in_memory)
                unpack_nested_in_memory(source, PackedKind{3, kCap}, dir.file("out"));
            else
                unpack_nested(source, PackedKind{3, kCap}, name, dir.file("out"));
            ADD_FAILURE() << "accepted";
        } catch (const DataError& error) {
            EXPECT_TRUE(error.message().contains(QString::number(kCap))) << "names the cap: " << error.what();
        }
        EXPECT_FALSE(QFile::exists(dir.file("out")));
    }
    // The same content under a cap that holds it is fine.
    unpack_nested_in_memory(source, PackedKind{3, 64 * 1024 * 1024}, dir.file("out"));
    EXPECT_EQ(QFile(dir.file("out")).size(), 16 * 1024 * 1024);
}

TEST(UnpackNested, WritesEveryIntermediateAndTheFinalFile) {
    test::TempFolder dir;
    const QByteArray content = "[l_x_v_e_l_m_w_j_s_y]\r\nl_x_v_e_l_m_w_j_s_y=v_e_l_m_s_y_l_x\r\n";
    const QString source = dir.write("packed/param.rar", pack_nested(content, 20));
    QDir().mkpath(dir.file("work"));
    const QString final_path = dir.file("work/param1.ini");

    unpack_nested(source, PackedKind{20, kCap}, [&](int k) { return dir.file(QStringLiteral("work/param1-%1.rar").arg(k)); },
                  final_path);

    EXPECT_EQ(test::read_file(final_path), content);
    for (int k = 1; k <= 19; ++k) {
        const QString intermediate = dir.file(QStringLiteral("work/param1-%1.rar").arg(k));
        ASSERT_TRUE(QFile::exists(intermediate)) << k;
        QByteArray rest = test::read_file(intermediate);
        for (int r = k; r < 20; ++r)
            unpack_once(rest, kCap);
        EXPECT_EQ(rest, content) << "intermediate " << k << " holds " << 20 - k << " more rounds";
    }
    EXPECT_EQ(QDir(dir.file("work")).entryList(QDir::Files).size(), 20);
}

TEST(UnpackNested, OneRoundNeedsNoIntermediateAndEmptyFilesStayEmpty) {
    test::TempFolder dir;
    const QString source = dir.write("once.rar", pack_once("movie"));
    unpack_nested(source, PackedKind{1, kCap}, [](int) -> QString { ADD_FAILURE() << "no intermediate for one round"; return {}; },
                  dir.file("once.out"));
    EXPECT_EQ(test::read_file(dir.file("once.out")), QByteArray("movie"));

    const QString empty = dir.write("empty.rar", QByteArray());
    unpack_nested(empty, PackedKind{3, kCap}, [&](int k) { return dir.file(QStringLiteral("e%1").arg(k)); }, dir.file("empty.out"));
    EXPECT_TRUE(QFile::exists(dir.file("empty.out")));
    EXPECT_EQ(QFile(dir.file("empty.out")).size(), 0);
}

TEST(UnpackNested, DamagedOrMissingSourceWritesNothingAtTheFinalPath) {
    test::TempFolder dir;
    QByteArray packed = pack_nested("content", 3);
    const QString damaged = dir.write("damaged.rar", with_length_field(-5, packed));
    const auto name = [&](int k) { return dir.file(QStringLiteral("i%1").arg(k)); };

    EXPECT_THROW(unpack_nested(damaged, PackedKind{3, kCap}, name, dir.file("out")), DataError);
    EXPECT_THROW(unpack_nested(dir.file("missing.rar"), PackedKind{3, kCap}, name, dir.file("out")), DataError);
    EXPECT_FALSE(QFile::exists(dir.file("out")));
    EXPECT_TRUE(QDir(dir.path()).entryList({"out*"}, QDir::Files).isEmpty()) << "no temporary file left behind";
}

TEST(TimeOfDayStamp, IsSixDigits) {
    EXPECT_TRUE(QRegularExpression("^[0-2][0-9][0-5][0-9][0-5][0-9]$").match(time_of_day_stamp()).hasMatch());
}

} // namespace
} // namespace velmora
