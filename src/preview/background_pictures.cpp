#include "preview/background_pictures.h"

#include <QFileInfo>
#include <algorithm>

#include "templates/photo_fit.h"
#include "templates/photo_list.h"
#include "templates/photo_measure.h"

namespace velmora {
namespace {

constexpr int kFrame = 3;
// The square box replacement pictures are rendered in to judge their orientation.
constexpr int kJudgeWidth = 300;

bool exists(const std::vector<BackgroundRow>& rows, std::optional<int> row) {
    return row && *row >= 0 && *row < int(rows.size());
}

} // namespace

// A row without a picture shows no size rather than 0 x 0.
QStringList background_cells(const BackgroundRow& b, int row) {
    const auto size = [](int pixels) { return pixels > 0 ? QString::number(pixels) : QString(); };
    return {QString::number(row + 1), b.name, b.kind, b.category, b.picture_name, b.picture_format,
            size(b.width), size(b.height), b.location, QString::number(b.transparency)};
}

QStringList background_details(const BackgroundRow& b, int row) {
    return {QString::number(row + 1), b.picture_name, b.picture_format, QString::number(b.width),
            QString::number(b.height), b.location};
}

QString background_hint(const BackgroundRow& b, int row) {
    return QStringLiteral("第%1张, 背景图片名称: %2").arg(row + 1).arg(b.picture_name);
}

QImage background_box_picture(const BackgroundRow& b, const ThumbnailService& thumbnails) {
    const QSize fitted = fit_photo(b.width, b.height, kBackgroundBox, 2 * kFrame);
    if (fitted.isEmpty())
        return {};
    const QImage picture = thumbnails.thumbnail(b.location, fitted);
    return framed_picture(picture, fitted + QSize(2 * kFrame, 2 * kFrame), kFrame, Qt::white);
}

BackgroundPictures::BackgroundPictures(Album& album, Ui& ui, const ThumbnailService& thumbnails)
    : album_(album), ui_(ui), thumbnails_(thumbnails) {}

bool BackgroundPictures::may_show(std::optional<int> row) {
    if (!exists(rows(), row)) {
        ui_.show_message(QStringLiteral("没有选中背景图片文件！"));
        return false;
    }
    if (rows()[std::size_t(*row)].location.isEmpty()) {
        ui_.show_message(QStringLiteral("没有添加背景图片文件！"));
        return false;
    }
    return true;
}

bool BackgroundPictures::may_change(std::optional<int> row) {
    if (rows().empty()) {
        ui_.show_message(QStringLiteral("没有找到背景图片文件！"));
        return false;
    }
    if (!exists(rows(), row)) {
        ui_.show_message(QStringLiteral("没有选中背景图片文件！"));
        return false;
    }
    return true;
}

bool BackgroundPictures::save(std::optional<int> row, int transparency, bool all) {
    if (!may_change(row))
        return false;
    const int value = std::clamp(transparency, 0, 100);
    if (all) {
        for (BackgroundRow& b : album_.backgrounds)
            b.transparency = value;
    } else {
        album_.backgrounds[std::size_t(*row)].transparency = value;
    }
    ui_.show_message(QStringLiteral("保存设置完成！"));
    return true;
}

bool BackgroundPictures::restore_default(std::optional<int> row, bool all) {
    if (!may_change(row))
        return false;
    if (all) {
        for (BackgroundRow& b : album_.backgrounds)
            b.transparency = 0;
    } else {
        album_.backgrounds[std::size_t(*row)].transparency = 0;
    }
    ui_.show_message(QStringLiteral("默认设置完成！"));
    return true;
}

// The stored size is the displayed one (EXIF orientation applied), as for photos: it is the
// size the thumbnail service renders, and the workspace keeps the picture's proportions by it.
ReplaceOutcome BackgroundPictures::replace_picture(std::optional<int> row) {
    if (!may_change(row))
        return ReplaceOutcome::Refused;
    const QStringList files = ui_.choose_files(QStringLiteral("更换背景图片"), {}, photo_file_filter());
    if (files.isEmpty())
        return ReplaceOutcome::Cancelled;
    const QString path = files.front();
    const CheckedPhoto photo = check_photo(path);
    // Judged on a small rendering in a square box, which keeps the photo's proportions.
    const QSize judged = fit_photo(photo.size.width(), photo.size.height(), QSize(kJudgeWidth, kJudgeWidth), 0);
    const Thumbnail rendered = photo.refusal == PhotoRefusal::None && !judged.isEmpty()
                                   ? thumbnails_.render(path, judged)
                                   : Thumbnail{{}, true};
    if (photo.refusal == PhotoRefusal::TooManyPixels || photo.refusal == PhotoRefusal::TooNarrow) {
        ui_.show_message(QStringLiteral("此照片文件太大或长宽比例超出范围,请重新更换一张横照片!"));
        return ReplaceOutcome::Unreadable;
    }
    if (rendered.failed) {
        ui_.show_message(QStringLiteral("此照片文件不能读取,请重新更换一张横照片!"));
        return ReplaceOutcome::Unreadable;
    }
    if (rendered.image.height() > rendered.image.width()) {
        ui_.show_message(QStringLiteral("此张照片不是横照片,请重新更换一张横照片!"));
        return ReplaceOutcome::NotLandscape;
    }
    const QFileInfo file(path);
    BackgroundRow& b = album_.backgrounds[std::size_t(*row)];
    b.picture_name = file.completeBaseName();
    b.picture_format = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    b.width = photo.size.width();
    b.height = photo.size.height();
    b.location = file.absoluteFilePath();
    return ReplaceOutcome::Replaced;
}

} // namespace velmora
