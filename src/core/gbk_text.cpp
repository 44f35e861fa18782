#include "core/gbk_text.h"

#include <cerrno>
#include <iconv.h>

namespace velmora {
namespace {

// One iconv conversion descriptor, opened once per call of the public functions.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `input`; a sequence the source encoding rejects becomes `replacement` and
    // conversion goes on `skip` bytes later. Returns false when anything was replaced.
    bool convert(const QByteArray& input, QByteArray& out, const QByteArray& replacement, size_t skip) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in_ptr = const_cast<char*>(input.constData());
        size_t in_left = size_t(input.size());
        bool clean = true;
        char buffer[4096];
        while (in_left > 0) {
            char* out_ptr = buffer;
            size_t out_left = sizeof buffer;
            const size_t rc = iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left);
            out.append(buffer, qsizetype(sizeof buffer - out_left));
            if (rc != size_t(-1) || errno == E2BIG)
                continue;
            clean = false;
            out.append(replacement);
            const size_t step = qMin(skip, in_left);
            in_ptr += step;
            in_left -= step;
        }
        return clean;
    }

private:
    iconv_t cd_;
};

bool is_ascii(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString decode_gbk(const QByteArray& bytes) {
    if (is_ascii(bytes))
        return QString::fromLatin1(bytes);
    Converter converter("UTF-8", "GB18030");
    QByteArray utf8;
    if (converter.ok())
        converter.convert(bytes, utf8, QByteArrayLiteral("\xEF\xBF\xBD"), 1);
    return QString::fromUtf8(utf8);
}

QByteArray encode_gbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (is_ascii(utf8))
        return utf8;
    Converter converter("GBK", "UTF-8");
    QByteArray out;
    if (!converter.ok() || converter.convert(utf8, out, {}, size_t(utf8.size())))
        return out;
    // Something GBK cannot hold: convert one character at a time so each such character
    // becomes "?" alone.
    out.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QByteArray one;
        converter.convert(text.mid(i, length).toUtf8(), one, {}, 64);
        out.append(one.isEmpty() ? QByteArrayLiteral("?") : one);
        i += length;
    }
    return out;
}

} // namespace velmora
