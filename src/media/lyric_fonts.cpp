#include "media/lyric_fonts.h"

#include <array>
#include <utility>
#include <QFontDatabase>

namespace velmora {
namespace {

constexpr auto kSans = "Noto Sans CJK SC";
constexpr auto kSerif = "Noto Serif CJK SC";

// Names a stored setting may carry and the face that draws them.
const std::array<std::pair<const char*, const char*>, 8> kAliases{{
    {"黑体", kSans},
    {"宋体", kSerif},
    {"楷体", kSerif},
    {"微软雅黑", kSans},
    {"SimHei", kSans},
    {"SimSun", kSerif},
    {"KaiTi", kSerif},
    {"Microsoft YaHei", kSans},
}};

} // namespace

QStringList lyric_font_names() {
    QStringList names;
    for (const auto& alias : kAliases)
        names.append(QString::fromUtf8(alias.first));
    for (const QString& family : QFontDatabase::families())
        if (!names.contains(family))
            names.append(family);
    return names;
}

QFont lyric_font(const QString& name) {
    QString stand_in = QString::fromLatin1(kSans);
    for (const auto& alias : kAliases)
        if (name == QString::fromUtf8(alias.first))
            stand_in = QString::fromLatin1(alias.second);
    QFont font;
    font.setFamilies({name, stand_in});
    return font;
}

} // namespace velmora
