#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// Parameter, combination and effect files are GBK text. Bytes that are not valid GBK become
// U+FFFD rather than failing the whole file.
QString decode_gbk(const QByteArray& bytes);
// Characters GBK cannot hold become "?".
QByteArray encode_gbk(const QString& text);

} // namespace velmora
