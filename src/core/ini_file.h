#pragma once

#include <map>
#include <QByteArray>
#include <QString>

namespace velmora {

// A GBK INI text: sections in square brackets, lines "key=value". Keys and section names are
// matched without regard to ASCII letter case; blanks around keys and values are dropped and a
// value wrapped in double quotes loses them. A key that appears twice keeps its first value.
class IniFile {
public:
    static constexpr qsizetype kMaxValueBytes = 2047;

    static IniFile parse(const QByteArray& gbk_text);
    // Throws DataError when the file cannot be read.
    static IniFile load(const QString& path);

    // The value, cut to kMaxValueBytes bytes of GBK text; empty for a missing key.
    QString value(const QString& section, const QString& key) const;

private:
    std::map<QByteArray, QByteArray> values_; // "section\nkey" in lower case -> raw GBK value
};

} // namespace velmora
