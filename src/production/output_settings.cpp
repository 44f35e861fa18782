#include "production/output_settings.h"

namespace velmora {

QString to_text(PictureQuality quality) {
    switch (quality) {
    case PictureQuality::biaoqing: return QStringLiteral("biaoqing");
    case PictureQuality::chaoqing: return QStringLiteral("chaoqing");
    case PictureQuality::gaoqing: break;
    }
    return QStringLiteral("gaoqing");
}

QString to_text(SyncMode mode) {
    return mode == SyncMode::Music ? QStringLiteral("随音乐文件同步  (模板循环)")
                                   : QStringLiteral("随模板文件同步  (音乐循环)");
}

QString to_text(AlbumTypeAnswer answer) {
    switch (answer) {
    case AlbumTypeAnswer::Start: return QStringLiteral("zhizuo_kaishi");
    case AlbumTypeAnswer::Cancel: return QStringLiteral("zhizuo_quxiao");
    case AlbumTypeAnswer::Open: break;
    }
    return {};
}

QString to_text(mcl::AlbumType type) {
    const mcl::AlbumFormat* format = mcl::album_format(type);
    return format ? QString::fromLatin1(format->name) : QString();
}

std::optional<mcl::AlbumType> album_type_from_text(const QString& text) {
    using mcl::AlbumType;
    for (AlbumType type : {AlbumType::vcd, AlbumType::svcd, AlbumType::dvd, AlbumType::mov, AlbumType::avi,
                           AlbumType::mp4, AlbumType::wmv}) {
        if (to_text(type) == text)
            return type;
    }
    return std::nullopt;
}

QString OutputSettings::output_path() const {
    const mcl::AlbumFormat* format = mcl::album_format(xiangce_leixing);
    const QString extension = format ? QString::fromLatin1(format->extension) : QStringLiteral(".mpg");
    return xiangce_baocun_weizhi + xiangce_mingcheng + extension;
}

QSize OutputSettings::render_size() const { return velmora::render_size(huamianzhiliang_xuanzhong); }

QSize render_size(PictureQuality quality) {
    return quality == PictureQuality::biaoqing ? QSize(800, 450) : QSize(1920, 1080);
}

mcl::FormatPreset format_preset(mcl::AlbumType type) {
    switch (type) {
    case mcl::AlbumType::vcd: return mcl::FormatPreset::vcd;
    case mcl::AlbumType::svcd: return mcl::FormatPreset::svcd;
    case mcl::AlbumType::dvd: return mcl::FormatPreset::dvd;
    case mcl::AlbumType::avi: return mcl::FormatPreset::avi;
    case mcl::AlbumType::mov:
    case mcl::AlbumType::mp4:
    case mcl::AlbumType::wmv:
    case mcl::AlbumType::invalid: break;
    }
    return mcl::FormatPreset::none;
}

} // namespace velmora
