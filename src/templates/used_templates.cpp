#include "templates/used_templates.h"

#include <algorithm>

#include "templates/bar_list.h"

namespace velmora {
namespace {

const QString kLandscapeCategory = QStringLiteral("横照模板");
const QString kPortraitCategory = QStringLiteral("竖照模板");

bool is_slot_picture(const QString& name) { return name.count(QLatin1Char('_')) == 1; }

int item_number(const QStringList& items, qsizetype k) { return k < items.size() ? items[k].toInt() : 0; }

void append_slot_rows(Album& album, int used_row, const UsedTemplate& used) {
    int index = 0;
    auto append = [&](SlotKind kind, int count) {
        for (int i = 0; i < count; ++i) {
            SlotRow slot;
            slot.used_row = used_row;
            slot.slot_kind = kind;
            slot.slot_index = index++;
            album.slot_rows.push_back(slot);
        }
    };
    append(SlotKind::Landscape, std::max(0, used.landscape_slots));
    append(SlotKind::Portrait, std::max(0, used.portrait_slots));
}

// The pictures of one template, indexed by position.
struct TemplatePictures {
    QStringList names, kinds, widths, heights;
};

TemplatePictures pictures_of(const TemplateParams& params) {
    return {split_bar_list(params.xpjpgmc), split_bar_list(params.szhz), split_bar_list(params.xpkd),
            split_bar_list(params.xpgd)};
}

// One naming pass: each slot picture of `picture_kind`, in position order, names the first
// unnamed row of `row_kind`.
void naming_pass(Album& album, SlotRange range, const TemplatePictures& pictures, const QString& picture_kind,
                 SlotKind row_kind) {
    for (qsizetype k = 0; k < pictures.names.size(); ++k) {
        if (!is_slot_picture(pictures.names[k]) || k >= pictures.kinds.size() || pictures.kinds[k] != picture_kind)
            continue;
        for (int s = range.first; s < range.first + range.count; ++s) {
            SlotRow& slot = album.slot_rows[std::size_t(s)];
            if (slot.slot_kind != row_kind || !slot.picture.isEmpty())
                continue;
            slot.picture = pictures.names[k];
            slot.mobanchicun_width = item_number(pictures.widths, k);
            slot.mobanchicun_height = item_number(pictures.heights, k);
            break;
        }
    }
}

bool holds_photo(const Album& album, int photo_row) {
    return std::any_of(album.slot_rows.begin(), album.slot_rows.end(),
                       [&](const SlotRow& s) { return s.photo_row == photo_row; });
}

} // namespace

SlotRange slot_range(const Album& album, int used_row) {
    // Slot rows are grouped by used template in list order, so the group is found by halving.
    struct ByUsedRow {
        bool operator()(const SlotRow& s, int row) const { return s.used_row < row; }
        bool operator()(int row, const SlotRow& s) const { return row < s.used_row; }
    };
    const auto [first, last] = std::equal_range(album.slot_rows.begin(), album.slot_rows.end(), used_row, ByUsedRow{});
    return {int(first - album.slot_rows.begin()), int(last - first)};
}

UsedTemplate used_template_from(const TemplateListRow& row) {
    UsedTemplate used;
    used.catalogue_number = row.xuhao;
    used.template_name = row.mingcheng;
    used.kind = row.type;
    used.landscape_slots = row.hengzhao_jizhang;
    used.portrait_slots = row.shuzhao_jizhang;
    used.duration = row.duration;
    used.category = row.category;
    return used;
}

std::optional<int> add_used_template(Album& album, const TemplateCatalogue& catalogue, int template_list_row,
                                     bool complete, const BackgroundPool& pool, const RandomPick& random) {
    if (template_list_row < 0 || template_list_row >= int(catalogue.moban.size()))
        return std::nullopt;
    UsedTemplate used = used_template_from(catalogue.moban[std::size_t(template_list_row)]);
    used.complete = complete;
    const int used_row = int(album.used_templates.size());
    BackgroundRow background;
    background.name = used.template_name;
    background.kind = used.kind;
    background.category = used.category;
    take_pool_photo(background, pool, random);
    album.backgrounds.push_back(background);
    album.used_templates.push_back(used);
    append_slot_rows(album, used_row, used);
    // Only the new template is named: naming an already named template again would give a
    // row its pass left empty (a mixed template's "shuheng" slot) a second copy of a name.
    name_slots(album, catalogue, used_row);
    return used_row;
}

void name_slots(Album& album, const TemplateCatalogue& catalogue, int used_row) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return;
    const UsedTemplate& used = album.used_templates[std::size_t(used_row)];
    if (used.catalogue_number < 0 || used.catalogue_number >= int(catalogue.mobancanshu.size()))
        return;
    const TemplatePictures pictures = pictures_of(catalogue.mobancanshu[std::size_t(used.catalogue_number)]);
    const SlotRange range = slot_range(album, used_row);
    naming_pass(album, range, pictures, QStringLiteral("heng"), SlotKind::Landscape);
    naming_pass(album, range, pictures, QStringLiteral("shu"), SlotKind::Portrait);
    if (used.category == kLandscapeCategory)
        naming_pass(album, range, pictures, QStringLiteral("shuheng"), SlotKind::Landscape);
    else if (used.category == kPortraitCategory)
        naming_pass(album, range, pictures, QStringLiteral("shuheng"), SlotKind::Portrait);
}

void place_photo_default(SlotRow& slot, int photo_width, int photo_height, const SystemSettings& settings) {
    const bool framed = slot.mobanchicun_width == 0; // no slot size: the whole 1920 x 1080 frame
    const qint64 w = framed ? 1920 : slot.mobanchicun_width;
    const qint64 h = framed ? 1080 : slot.mobanchicun_height;
    // A photo that could not be measured covers the slot exactly rather than dividing by zero.
    const qint64 pw = photo_width > 0 ? photo_width : w;
    const qint64 ph = photo_height > 0 ? photo_height : h;
    const bool landscape = slot.slot_kind == SlotKind::Landscape;

    qint64 cw = pw * h / ph, ch = h;
    if (cw < w) {
        cw = w;
        ch = ph * w / pw;
    }
    qint64 fw = 0, fh = 0;
    if (landscape) {
        fw = w;
        fh = ph * w / pw;
        if (fh > h) {
            fh = h;
            fw = pw * h / ph;
        }
    } else {
        fh = h;
        fw = pw * h / ph;
    }
    if (landscape && framed) {
        cw = w;
        ch = ph * w / pw;
    }
    const bool portrait_fitted = settings.choice(SettingsGroup::PortraitCrop) == 0;
    if (!landscape && framed && portrait_fitted) {
        cw = fw = pw * h / ph;
        ch = fh = h;
    }
    slot.jiancai_left_x = int(w / 2 - cw / 2);
    slot.jiancai_top_y = 0;
    slot.jiancai_width = int(cw);
    slot.jiancai_height = int(ch);
    slot.crop_mark = CropMark::FullScreen;
    slot.shizhong_jiancai_left_x = int(w / 2 - fw / 2);
    slot.shizhong_jiancai_top_x = int(h / 2 - fh / 2);
    slot.shizhong_jiancai_width = int(fw);
    slot.shizhong_jiancai_height = int(fh);
    if (!landscape && framed) {
        slot.jiancai_left_x = 0;
        slot.shizhong_jiancai_left_x = 0;
        slot.crop_mark = CropMark::Fitted;
    }
}

bool match_photo_to_slot(Album& album, int slot, int photo_row, const SystemSettings& settings) {
    if (slot < 0 || slot >= int(album.slot_rows.size()) || photo_row < 0 || photo_row >= int(album.photos.size()))
        return false;
    SlotRow& row = album.slot_rows[std::size_t(slot)];
    PhotoEntry& photo = album.photos[std::size_t(photo_row)];
    const std::optional<int> displaced = row.photo_row;
    row.matched = true;
    row.photo_row = photo_row;
    row.photo_location = photo.location;
    place_photo_default(row, photo.width, photo.height, settings);
    photo.fitted = true;
    // The photo this slot held before is no longer fitted unless another slot holds it too.
    if (displaced && *displaced != photo_row && *displaced >= 0 && *displaced < int(album.photos.size()) &&
        !holds_photo(album, *displaced))
        album.photos[std::size_t(*displaced)].fitted = false;
    return true;
}

void refresh_match_state(Album& album, int used_row) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return;
    const SlotRange range = slot_range(album, used_row);
    const auto first = album.slot_rows.begin() + range.first;
    album.used_templates[std::size_t(used_row)].complete =
        std::all_of(first, first + range.count, [](const SlotRow& s) { return s.matched; });
}

bool delete_used_template(Album& album, int used_row) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return false;
    const SlotRange range = slot_range(album, used_row);
    const auto first = album.slot_rows.begin() + range.first;
    std::vector<int> freed;
    for (auto it = first; it != first + range.count; ++it)
        if (it->photo_row)
            freed.push_back(*it->photo_row);
    album.slot_rows.erase(first, first + range.count);
    for (SlotRow& slot : album.slot_rows)
        if (slot.used_row > used_row)
            --slot.used_row;
    // A photo the combination placed twice stays fitted while another slot still holds it.
    for (int photo_row : freed)
        if (photo_row >= 0 && photo_row < int(album.photos.size()) && !holds_photo(album, photo_row))
            album.photos[std::size_t(photo_row)].fitted = false;
    if (used_row < int(album.backgrounds.size()))
        album.backgrounds.erase(album.backgrounds.begin() + used_row);
    album.used_templates.erase(album.used_templates.begin() + used_row);
    return true;
}

void delete_all_used_templates(Album& album) {
    album.used_templates.clear();
    album.slot_rows.clear();
    album.backgrounds.clear();
    for (PhotoEntry& photo : album.photos)
        photo.fitted = false;
}

} // namespace velmora
