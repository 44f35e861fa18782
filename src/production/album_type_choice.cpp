#include "production/album_type_choice.h"

namespace velmora {
namespace {

// Heights are multiples of 16 so the encoders' macroblocks divide them: 1088, not 1080.
const std::vector<OutputSize> kVcdSizes = {{320, 176}, {464, 256}, {640, 368}, {800, 480}, {1280, 720}};
const std::vector<OutputSize> kOtherSizes = {{320, 176},  {464, 256},  {640, 368},   {800, 480},  {1280, 720},
                                             {1440, 816}, {1600, 896}, {1920, 1088}, {2048, 1152}};

} // namespace

QString OutputSize::text() const {
    if (disc)
        return QStringLiteral("%1×%2 %3光盘").arg(width).arg(height).arg(QLatin1String(disc));
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

std::vector<OutputSize> output_sizes(mcl::AlbumType type, mcl::TvStandard standard) {
    if (type == mcl::AlbumType::invalid)
        return {};
    std::vector<OutputSize> sizes = type == mcl::AlbumType::vcd ? kVcdSizes : kOtherSizes;
    if (const mcl::DiscFormat* disc = mcl::disc_format(type, standard))
        sizes.push_back({disc->width, disc->height, mcl::album_format(type)->name});
    return sizes;
}

QString output_size_text(mcl::AlbumType type, mcl::TvStandard standard, int width, int height) {
    for (const OutputSize& size : output_sizes(type, standard))
        if (size.width == width && size.height == height)
            return size.text();
    return OutputSize{width, height}.text();
}

int default_size_index(mcl::AlbumType type) {
    return type == mcl::AlbumType::vcd ? 4 : 7;
}

int chosen_size_index(const OutputSettings& settings) {
    const auto sizes = output_sizes(settings.xiangce_leixing, settings.tv_standard);
    for (int i = 0; i < int(sizes.size()); ++i) {
        const OutputSize& s = sizes[std::size_t(i)];
        if (s.width == settings.chicun_width && s.height == settings.chicun_height)
            return i;
    }
    return -1;
}

void prepare_album_type_choice(OutputSettings& settings, mcl::AlbumType type) {
    settings.quxiao = AlbumTypeAnswer::Open;
    settings.xiangce_leixing = type;
    choose_default_size(settings);
    settings.xiangce_baocun_weizhi.clear();
    settings.xiangce_mingcheng.clear();
}

void choose_output_size(OutputSettings& settings, int index) {
    const auto sizes = output_sizes(settings.xiangce_leixing, settings.tv_standard);
    if (index < 0 || index >= int(sizes.size()))
        return;
    const OutputSize& size = sizes[std::size_t(index)];
    settings.shuchu_chicun = size.text();
    settings.shuchu_leixing = settings.xiangce_leixing;
    settings.chicun_width = size.width;
    settings.chicun_height = size.height;
}

void choose_default_size(OutputSettings& settings) {
    choose_output_size(settings, default_size_index(settings.xiangce_leixing));
}

QString album_name_refusal(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("相册名称不能为空,请输入相册名称！");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1String("..")))
        return QStringLiteral("相册名称不能包含 / 、\\ 或 ..,请重新输入相册名称！");
    return {};
}

bool start_making(OutputSettings& settings, const QString& name, Ui& ui) {
    const QString refusal = album_name_refusal(name);
    if (!refusal.isEmpty()) {
        ui.show_message(refusal);
        return false;
    }
    settings.xiangce_mingcheng = name;
    settings.quxiao = AlbumTypeAnswer::Start;
    return true;
}

} // namespace velmora
