#include "preview/template_picture_cache.h"

#include <QDir>

#include "core/data_error.h"
#include "preview/sample_play_folder.h"
#include "preview/template_player.h"

namespace velmora {
namespace {

// As the template contact sheets show them: the background shows through at 70 %.
constexpr int kBackgroundTransparency = 30;

} // namespace

TemplatePictureCache::TemplatePictureCache(const DataRoot& root, const TemplateCatalogue& catalogue,
                                           QString work_folder)
    : root_(root), catalogue_(catalogue), work_folder_(std::move(work_folder)) {}

QImage TemplatePictureCache::picture(int row) {
    if (const auto found = pictures_.find(row); found != pictures_.end())
        return found->second;
    QImage picture;
    if (row >= 0 && row < int(catalogue_.mobancanshu.size()))
        picture = render(catalogue_.mobancanshu[std::size_t(row)]);
    pictures_[row] = picture;
    return picture;
}

QImage TemplatePictureCache::render(const TemplateParams& params) {
    ++renders_;
    QImage frame;
    try {
        TemplatePlayer player(QStringLiteral("template_picture"), kRenderSize);
        player.set_background_transparency(kBackgroundTransparency);
        player.load(prepare_sample_play_folder(root_, params, work_folder_, kRenderSize));
        frame = player.render(player.total_frames() / 2);
    } catch (const DataError&) {
        // The list shows the template without a picture; the template itself still works
        // or fails where it is used, with its own message.
    }
    QDir(work_folder_).removeRecursively();
    if (frame.isNull())
        return {};
    return frame.scaled(kPictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace velmora
