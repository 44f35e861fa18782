#pragma once

#include <optional>
#include <vector>
#include <QString>

namespace velmora {

// One photo of the album, a row of the photo list `daoru_zhaopian`. Its 1-based `number` is
// its position (row + 1), so it never needs renumbering.
struct PhotoEntry {
    QString name;      // file name without folder and extension
    QString format;    // the extension with its dot, as written (".JPG")
    int width = 0;     // displayed size: EXIF orientation applied
    int height = 0;
    QString location;  // full path
    bool fitted = false; // "完成" once a template slot has taken the photo

    // A photo is landscape when it is at least as wide as high.
    bool is_landscape() const { return width >= height; }
};

// Whether a slot takes a landscape or a portrait photo.
enum class SlotKind { Landscape, Portrait };
inline QString to_text(SlotKind kind) {
    return kind == SlotKind::Landscape ? QStringLiteral("heng_zhaopian") : QStringLiteral("shu_zhaopian");
}

// Which placement of a slot is in force.
enum class CropMark { FullScreen, Fitted };
inline QString to_text(CropMark mark) {
    return mark == CropMark::FullScreen ? QStringLiteral("quanping_or_jubuquanping") : QStringLiteral("shizhong");
}

// One template placed in the album, a row of `moban_shiyong`. Its 1-based `position_number`
// is its position (row + 1).
struct UsedTemplate {
    int catalogue_number = 0;  // the template's xuhao
    QString template_name;
    QString kind;              // "高级模板" or "单张模板"
    int landscape_slots = 0;
    int portrait_slots = 0;
    QString duration;          // as the template list shows it
    QString category;          // "综合模板", "横照模板" or "竖照模板"
    bool complete = false;     // `match_state`: "已完成" / "未完成"

    QString match_state() const { return complete ? QStringLiteral("已完成") : QStringLiteral("未完成"); }
};

// One photo slot of a used template, a row of `moban_shiyong_canshu`. The template columns
// the list shows (name, kind, counts, duration, category) are those of used template
// `used_row`. Placement values are in the slot's own pixels (mobanchicun_width x
// mobanchicun_height, or 1920 x 1080 when the width is 0); negative offsets overhang.
struct SlotRow {
    int used_row = 0;
    SlotKind slot_kind = SlotKind::Landscape;
    QString picture;          // the slot's picture name in the template, "" until named
    int slot_index = 0;       // landscape slots first, then portrait slots
    bool matched = false;     // `match`: "yi_pipei" / ""
    std::optional<int> photo_row;
    QString photo_location;
    int mobanchicun_width = 0;
    int mobanchicun_height = 0;
    int jiancai_left_x = 0;
    int jiancai_top_y = 0;
    int jiancai_width = 0;
    int jiancai_height = 0;
    CropMark crop_mark = CropMark::FullScreen;
    int shizhong_jiancai_left_x = 0;
    int shizhong_jiancai_top_x = 0;
    int shizhong_jiancai_width = 0;
    int shizhong_jiancai_height = 0;
    QString effect_mark;      // tag of the text effects placed automatically for this slot
};

// The background of one used template, a row of `moban_beijing` (same position as the used
// template). An empty picture name means no picture: the template shows black.
struct BackgroundRow {
    QString name;        // template name
    QString kind;        // template type
    QString category;    // template category
    QString picture_name; // file name without extension
    QString picture_format;
    int width = 0;
    int height = 0;
    QString location;
    int transparency = 0; // 0..100
};

// The album's lists. Rows refer to each other by 0-based position: deleting a row renumbers
// every reference (slot rows' used_row and photo_row).
struct Album {
    std::vector<PhotoEntry> photos;
    std::vector<UsedTemplate> used_templates;
    std::vector<SlotRow> slot_rows; // `moban_shiyong_canshu`
    std::vector<BackgroundRow> backgrounds;
};

} // namespace velmora
