#include "core/ini_file.h"

#include <QFile>
#include <QList>

#include "core/data_error.h"
#include "core/gbk_text.h"

namespace velmora {
namespace {

QByteArray entry_key(const QByteArray& section, const QByteArray& key) {
    return section.trimmed().toLower() + '\n' + key.trimmed().toLower();
}

QByteArray unquoted(QByteArray value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.mid(1, value.size() - 2);
    return value;
}

// Cuts to at most `limit` bytes without splitting a GBK double-byte character.
QByteArray cut_gbk(const QByteArray& value, qsizetype limit) {
    if (value.size() <= limit)
        return value;
    qsizetype end = 0;
    while (end < value.size()) {
        const qsizetype width = (static_cast<unsigned char>(value[end]) >= 0x81 && end + 1 < value.size()) ? 2 : 1;
        if (end + width > limit)
            break;
        end += width;
    }
    return value.left(end);
}

} // namespace

IniFile IniFile::parse(const QByteArray& gbk_text) {
    IniFile ini;
    QByteArray section;
    for (QByteArray line : gbk_text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            section = line.mid(1, close < 0 ? -1 : close - 1);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        ini.values_.try_emplace(entry_key(section, line.left(equals)), unquoted(line.mid(equals + 1)));
    }
    return ini;
}

IniFile IniFile::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    return parse(file.readAll());
}

QString IniFile::value(const QString& section, const QString& key) const {
    const auto found = values_.find(entry_key(encode_gbk(section), encode_gbk(key)));
    if (found == values_.end())
        return {};
    return decode_gbk(cut_gbk(found->second, kMaxValueBytes));
}

} // namespace velmora
