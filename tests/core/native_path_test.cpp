// File names by their bytes, including names that are not UTF-8.
#include <QDir>
#include <cstdio>
#include <gtest/gtest.h>

#include "core/native_path.h"
#include "support/test_support.h"

namespace velmora {
namespace {

TEST(NativePath, EveryByteSequenceGoesBackToItsBytes) {
    struct Case {
        QByteArray native;
        const char* shown;
    } cases[] = {
        {"plain.jpg", "plain.jpg"},
        {"caf\xC3\xA9 \xE7\x85\xA7\xE7\x89\x87 \xF0\x9F\x98\x80.jpg", "caf\xC3\xA9 \xE7\x85\xA7\xE7\x89\x87 \xF0\x9F\x98\x80.jpg"},
        {"caf\xE9.jpg", "caf\\xE9.jpg"},
        {"\xFF\xFE", "\\xFF\\xFE"},
        {"overlong \xC0\xAF", "overlong \\xC0\\xAF"},
        {"surrogate \xED\xA0\x80", "surrogate \\xED\\xA0\\x80"},
        {"cut \xE6\x97", "cut \\xE6\\x97"},
        {"too high \xF4\x90\x80\x80", "too high \\xF4\\x90\\x80\\x80"},
    };
    for (const Case& c : cases) {
        const QString path = path_from_native(c.native);
        EXPECT_EQ(native_path(path), c.native) << c.shown;
        EXPECT_EQ(shown_path(path), QString::fromUtf8(c.shown)) << c.shown;
    }
    // A UTF-8 name is the QString Qt makes of it, so paths from Qt pass through unchanged.
    const QString qt = QStringLiteral("照片/café 😀.jpg");
    EXPECT_EQ(path_from_native(qt.toUtf8()), qt);
    EXPECT_EQ(native_path(qt), qt.toUtf8());
}

TEST(NativePath, ListsOpensAndFindsAFileWhoseNameIsNotUtf8) {
    test::TempFolder folder;
    folder.write("plain.jpg", "plain");
    folder.write(".hidden.jpg", "hidden");
    QDir(folder.path()).mkdir("sub");
    const QByteArray native = QFile::encodeName(folder.path()) + "/caf\xE9.jpg";
    std::FILE* out = std::fopen(native.constData(), "wb");
    ASSERT_TRUE(out);
    std::fputs("latin", out);
    std::fclose(out);

    // Qt 6 leaves the file out of its listings and cannot name it: its decoding maps E9 to U+FFFD.
    const QStringList names = native_file_names(folder.path());
    ASSERT_EQ(names.size(), 2) << "the hidden file and the folder are left out";
    EXPECT_EQ(names[1], QStringLiteral("plain.jpg"));
    const QString path = folder.path() + "/" + names[0];
    EXPECT_EQ(native_path(path), native);
    EXPECT_TRUE(is_native_file(path));
    EXPECT_FALSE(is_native_folder(path));
    EXPECT_TRUE(is_native_folder(folder.file("sub")));
    QFile file;
    ASSERT_TRUE(open_for_reading(file, path));
    EXPECT_EQ(file.readAll(), "latin");
    EXPECT_EQ(file.size(), 5);
    QFile missing;
    EXPECT_FALSE(open_for_reading(missing, folder.path() + "/" + path_from_native("gon\xE9.jpg")));
    std::remove(native.constData()); // QTemporaryDir cannot see it to remove it
}

TEST(NativePath, ArgumentsKeepTheirBytes) {
    char program[] = "velmora-make", plain[] = "plan", latin[] = "caf\xE9.jpg";
    char* argv[] = {program, plain, latin, nullptr};
    const QStringList arguments = native_arguments(3, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(arguments[0], QStringLiteral("plan"));
    EXPECT_EQ(native_path(arguments[1]), QByteArray("caf\xE9.jpg"));
}

} // namespace
} // namespace velmora
