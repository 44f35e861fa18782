#include "gbk_text.h"

#include <stdexcept>

#include "core/gbk_text.h"

namespace velmora::databuild {

std::string utf8_to_gbk(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    const QByteArray gbk = encode_gbk(text);
    // encode_gbk writes "?" for a character GBK lacks; shipped files must never carry one.
    if (decode_gbk(gbk) != text)
        throw std::runtime_error("text has characters without a GBK form: " + utf8);
    return gbk.toStdString();
}

} // namespace velmora::databuild
