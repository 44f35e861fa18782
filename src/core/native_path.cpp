#include "core/native_path.h"

#include <algorithm>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace velmora {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at `s` (at most `left` bytes), or 0: no
// overlong forms, no surrogates, nothing above U+10FFFF.
int utf8_sequence(const unsigned char* s, qsizetype left) {
    const unsigned char c = s[0];
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || s[1] < low || s[1] > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if (!is_continuation(s[i]))
            return 0;
    return length;
}

bool is_escaped_byte(const QString& path, qsizetype i) {
    const char16_t u = path[i].unicode();
    return u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF && (i == 0 || !path[i - 1].isHighSurrogate());
}

} // namespace

QString path_from_native(const QByteArray& name) {
    QString out;
    const auto* s = reinterpret_cast<const unsigned char*>(name.constData());
    qsizetype start = 0, i = 0;
    while (i < name.size()) {
        const int length = utf8_sequence(s + i, name.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        out += QString::fromUtf8(name.constData() + start, i - start);
        out += QChar(char16_t(kEscapeBase + s[i]));
        start = ++i;
    }
    return out + QString::fromUtf8(name.constData() + start, name.size() - start);
}

QByteArray native_path(const QString& path) {
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!is_escaped_byte(path, i))
            continue;
        out += QStringView(path).mid(start, i - start).toUtf8();
        out += char(path[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    return out + QStringView(path).mid(start).toUtf8();
}

std::filesystem::path native_fs_path(const QString& path) {
    const QByteArray bytes = native_path(path);
    return std::filesystem::path(std::string(bytes.constData(), std::size_t(bytes.size())));
}

QString shown_path(const QString& path) {
    QString out;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (is_escaped_byte(path, i))
            out += QStringLiteral("\\x") +
                   QString::number(path[i].unicode() - kEscapeBase, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += path[i];
    }
    return out;
}

bool open_for_reading(QFile& file, const QString& path) {
    const QByteArray bytes = native_path(path);
    if (QFile::decodeName(bytes) == path) {
        file.setFileName(path);
        return file.open(QIODevice::ReadOnly);
    }
    const int fd = ::open(bytes.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

bool is_native_file(const QString& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(native_fs_path(path), error);
}

bool is_native_folder(const QString& path) {
    std::error_code error;
    return std::filesystem::is_directory(native_fs_path(path), error);
}

QStringList native_file_names(const QString& folder) {
    QStringList names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(native_fs_path(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().native();
        std::error_code type_error;
        if (name.empty() || name[0] == '.' || !std::filesystem::is_regular_file(it->path(), type_error))
            continue;
        names.append(path_from_native(QByteArray(name.data(), qsizetype(name.size()))));
    }
    std::sort(names.begin(), names.end());
    return names;
}

QStringList native_arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(path_from_native(QByteArray(argv[i])));
    return arguments;
}

} // namespace velmora
