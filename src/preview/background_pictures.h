#pragma once

#include <optional>
#include <QImage>
#include <QSize>
#include <QStringList>

#include "core/ui.h"
#include "templates/album.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// The background window's picture box and the space its picture is fitted into (less 6
// pixels each way, inside a 3-pixel white frame).
inline constexpr QSize kBackgroundBox{201, 133};

// The cells of background row `row` in the list's column order: "编号", "名称", "类型", "分类",
// "图片名称", "图片类型", "宽度", "高度", "图片位置", "透明度".
QStringList background_cells(const BackgroundRow& background, int row);
// The details strip: "图片编号", "图片名称", "图片格式", "图片宽度", "图片高度", "图片位置".
QStringList background_details(const BackgroundRow& background, int row);
// The picture box's hint, "第2张, 背景图片名称: sea".
QString background_hint(const BackgroundRow& background, int row);
// The picture box's picture: the row's picture fitted whole into the box, framed in white.
QImage background_box_picture(const BackgroundRow& background, const ThumbnailService& thumbnails);

// How "更换背景图片" ended.
enum class ReplaceOutcome { Refused, Cancelled, Replaced, NotLandscape, Unreadable };

// The album's background list as the background window edits it: one row per used template,
// a picture and a transparency each. Every refusal tells the person and changes nothing.
// `row` is the list's selection (nothing when none is selected).
class BackgroundPictures {
public:
    BackgroundPictures(Album& album, Ui& ui, const ThumbnailService& thumbnails);

    const std::vector<BackgroundRow>& rows() const { return album_.backgrounds; }

    // A row click may show `row`: it is selected and has a picture.
    bool may_show(std::optional<int> row);
    // The slider and the three buttons may act on `row`: there are rows and one is selected.
    bool may_change(std::optional<int> row);

    // "保存设置": `transparency` (0..100) into the selected row, or every row when `all`.
    bool save(std::optional<int> row, int transparency, bool all);
    // "默认设置": transparency "0" for the selected row, or every row when `all`.
    bool restore_default(std::optional<int> row, bool all);
    // "更换背景图片": a landscape or square JPEG chosen by the person becomes the row's picture;
    // its transparency stays. A portrait photo or an unreadable file changes nothing.
    ReplaceOutcome replace_picture(std::optional<int> row);

private:
    Album& album_;
    Ui& ui_;
    const ThumbnailService& thumbnails_;
};

} // namespace velmora
