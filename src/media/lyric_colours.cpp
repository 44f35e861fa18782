#include "media/lyric_colours.h"

namespace velmora {

const std::vector<NamedLyricColour>& lyric_colours() {
    static const std::vector<NamedLyricColour> colours{
        {QStringLiteral("clWhite"), QStringLiteral("白色"), QColor(255, 255, 255)},
        {QStringLiteral("clBlack"), QStringLiteral("黑色"), QColor(0, 0, 0)},
        {QStringLiteral("clRed"), QStringLiteral("红色"), QColor(255, 0, 0)},
        {QStringLiteral("clYellow"), QStringLiteral("黄色"), QColor(255, 255, 0)},
        {QStringLiteral("clLime"), QStringLiteral("亮绿"), QColor(0, 255, 0)},
        {QStringLiteral("clAqua"), QStringLiteral("浅蓝"), QColor(0, 255, 255)},
        {QStringLiteral("clBlue"), QStringLiteral("蓝色"), QColor(0, 0, 255)},
        {QStringLiteral("clFuchsia"), QStringLiteral("紫红"), QColor(255, 0, 255)},
        {QStringLiteral("clGray"), QStringLiteral("灰色"), QColor(128, 128, 128)},
        {QStringLiteral("clSilver"), QStringLiteral("银色"), QColor(192, 192, 192)},
        {QStringLiteral("clMaroon"), QStringLiteral("栗色"), QColor(128, 0, 0)},
        {QStringLiteral("clGreen"), QStringLiteral("绿色"), QColor(0, 128, 0)},
        {QStringLiteral("clNavy"), QStringLiteral("海军蓝"), QColor(0, 0, 128)},
        {QStringLiteral("clPurple"), QStringLiteral("紫色"), QColor(128, 0, 128)},
        {QStringLiteral("clTeal"), QStringLiteral("青色"), QColor(0, 128, 128)},
        {QStringLiteral("clOlive"), QStringLiteral("橄榄色"), QColor(128, 128, 0)},
    };
    return colours;
}

std::optional<NamedLyricColour> lyric_colour_named(const QString& name) {
    for (const NamedLyricColour& entry : lyric_colours())
        if (entry.name == name)
            return entry;
    return std::nullopt;
}

} // namespace velmora
