#include "fuzz/fuzz_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <iconv.h>
#include <cstdlib>
#include <memory>

namespace velmora::fuzz {
namespace {

QTemporaryDir& scratch_folder() {
    // Lives until exit, when its destructor removes the folder with everything in it.
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/velmora-fuzz-XXXXXX"));
    require(folder.isValid(), "cannot make the temporary folder");
    return folder;
}

} // namespace

QByteArray bytes_of(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

bool through_file(size_t size) { return size % 8 == 0; }

QString scratch_path(const QString& name) { return scratch_folder().filePath(name); }

void write_scratch(const QString& path, const QByteArray& content) {
    // A new file rather than a truncated one: ext4 writes a file truncated and rewritten back to
    // disk when it is closed, which would make the disk, not the reader, set the pace.
    QFile::remove(path);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size(),
            "cannot write a scratch file");
}

void ensure_application() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "velmora-fuzz";
    static char* argv[] = {name, nullptr};
    static const auto* const app = new QCoreApplication(argc, argv);
    (void)app;
}

void keep_gbk_converters_loaded() {
    // Never closed: they live as long as the process.
    static const iconv_t decoder = iconv_open("UTF-8", "GB18030");
    static const iconv_t encoder = iconv_open("GBK", "UTF-8");
    require(decoder != reinterpret_cast<iconv_t>(-1) && encoder != reinterpret_cast<iconv_t>(-1),
            "cannot open the GBK converters");
}

void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz target: broken contract: %s\n", what);
    std::abort();
}

} // namespace velmora::fuzz
