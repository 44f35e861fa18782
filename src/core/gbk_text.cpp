#include "core/gbk_text.h"

#include <cerrno>
#include <iconv.h>

namespace velmora {
namespace {

// Converts with iconv, replacing each byte sequence the source encoding rejects by
// `replacement` (already in the target encoding) and going on after it.
QByteArray convert(const QByteArray& input, const char* to, const char* from, const QByteArray& replacement,
                   int skip_on_error) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(input.size() * 2);
    char* in_ptr = const_cast<char*>(input.constData());
    size_t in_left = size_t(input.size());
    char buffer[4096];
    while (in_left > 0) {
        char* out_ptr = buffer;
        size_t out_left = sizeof buffer;
        const size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
        out.append(buffer, qsizetype(sizeof buffer - out_left));
        if (rc != size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: an invalid or truncated sequence.
        out.append(replacement);
        const size_t skip = qMin(size_t(skip_on_error), in_left);
        in_ptr += skip;
        in_left -= skip;
    }
    iconv_close(cd);
    return out;
}

} // namespace

QString decode_gbk(const QByteArray& bytes) {
    return QString::fromUtf8(convert(bytes, "UTF-8", "GB18030", QByteArrayLiteral("\xEF\xBF\xBD"), 1));
}

QByteArray encode_gbk(const QString& text) {
    // Converted one character at a time so that a character GBK lacks becomes "?" alone.
    QByteArray out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray one = convert(text.mid(i, length).toUtf8(), "GBK", "UTF-8", {}, 64);
        out.append(one.isEmpty() ? QByteArrayLiteral("?") : one);
        i += length;
    }
    return out;
}

} // namespace velmora
