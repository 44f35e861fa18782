#include "templates/template_management.h"

#include "core/data_error.h"
#include "core/file_utils.h"
#include "templates/template_preview_movie.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

const QString kDeleteTitle = QStringLiteral("删除模板文件");
const QString kNoneAdded = QStringLiteral("没有添加模板文件！");
const QString kNoneSelected = QStringLiteral("没有选中模板文件！");

// The template's columns as a used template carries them.
TemplatePreviewRequest request_with(const UsedTemplate& used, TemplatePreviewMode mode, int row) {
    TemplatePreviewRequest request;
    request.caozuo_xuanze = mode;
    request.xuanzhong_hang = row;
    request.catalogue_number = used.catalogue_number;
    request.name = used.template_name;
    request.kind = used.kind;
    request.landscape_slots = used.landscape_slots;
    request.portrait_slots = used.portrait_slots;
    request.duration = used.duration;
    request.category = used.category;
    return request;
}

TemplatePreviewRequest request_for(const TemplateListRow& row, int list_row) {
    return request_with(used_template_from(row), TemplatePreviewMode::CatalogueTemplate, list_row);
}

TemplatePreviewRequest request_for(const Album& album, int used_row) {
    TemplatePreviewRequest request = request_with(album.used_templates[std::size_t(used_row)],
                                                  TemplatePreviewMode::UsedTemplate, used_row);
    const SlotRange range = slot_range(album, used_row);
    for (int s = range.first; s < range.first + range.count; ++s)
        request.slot_rows.push_back(s);
    return request;
}

int unmatched_slots(const Album& album, int used_row) {
    int n = 0;
    for (const SlotView& slot : slots_of(album, used_row))
        n += slot.photo_row ? 0 : 1;
    return n;
}

} // namespace

TemplateManagement::TemplateManagement(TemplateManagementServices services) : s_(std::move(services)) {}

std::optional<int> TemplateManagement::use_template(std::optional<int> list_row) {
    const int rows = int(s_.catalogue.moban.size());
    if (rows == 0)
        return std::nullopt;
    if (!list_row || *list_row < 0 || *list_row >= rows) {
        s_.ui.show_message(kNoneSelected);
        return std::nullopt;
    }
    return add_used_template(s_.album, s_.catalogue, *list_row, false, s_.pool, s_.random);
}

std::optional<int> TemplateManagement::selected_used(std::optional<int> used_row) const {
    const int rows = int(s_.album.used_templates.size());
    if (rows == 0) {
        s_.ui.show_message(kNoneAdded);
        return std::nullopt;
    }
    if (!used_row || *used_row < 0 || *used_row >= rows) {
        s_.ui.show_message(kNoneSelected);
        return std::nullopt;
    }
    return used_row;
}

bool TemplateManagement::can_pick_photo(std::optional<int> used_row) const {
    if (used_row && *used_row >= 0 && *used_row < int(s_.album.used_templates.size()))
        return true;
    s_.ui.show_message(QStringLiteral("没有选中已经添加模板文件！选中模板后,模板所需照片框会出现"));
    return false;
}

HandPlacement TemplateManagement::drop_photo(int used_row, int slot_index, int photo_row) {
    return place_photo_by_hand(s_.album, used_row, slot_index, photo_row, s_.settings, s_.ui);
}

bool TemplateManagement::delete_used(std::optional<int> used_row) {
    const std::optional<int> row = selected_used(used_row);
    if (!row || !s_.ui.confirm(kDeleteTitle, QStringLiteral("是否确定要删除当前选中已经使用的模板文件?")))
        return false;
    delete_used_template(s_.album, *row);
    if (s_.effects)
        s_.effects->after_template_deleted(*row);
    // The list loses its selection with the row.
    s_.ui.show_message(QStringLiteral("选中的模板文件已经删除！"));
    return true;
}

bool TemplateManagement::delete_all() {
    if (s_.album.used_templates.empty()) {
        s_.ui.show_message(kNoneAdded);
        return false;
    }
    if (!s_.ui.confirm(kDeleteTitle, QStringLiteral("是否确定要删除全部已经使用的模板文件?")))
        return false;
    delete_all_used_templates(s_.album);
    if (s_.effects)
        s_.effects->remove_all_automatic();
    s_.ui.show_message(QStringLiteral("已经使用的模板文件已经全部删除！"));
    return true;
}

void TemplateManagement::preview_catalogue_template(std::optional<int> list_row, const OpenTemplatePreview& open) {
    const int rows = int(s_.catalogue.moban.size());
    if (rows == 0) {
        s_.ui.show_message(QStringLiteral("没有找到模板文件！"));
        return;
    }
    if (!list_row || *list_row < 0 || *list_row >= rows) {
        s_.ui.show_message(kNoneSelected);
        return;
    }
    const TemplateListRow& row = s_.catalogue.moban[std::size_t(*list_row)];
    run_preview(row.xuhao, request_for(row, *list_row), false, open);
}

void TemplateManagement::preview_used_template(std::optional<int> used_row, const OpenTemplatePreview& open) {
    const std::optional<int> row = selected_used(used_row);
    if (!row)
        return;
    if (const int n = unmatched_slots(s_.album, *row); n > 0) {
        s_.ui.show_message(QStringLiteral("选中的模板文件,照片与此模板还有 %1 处没有完成匹配！").arg(n));
        return;
    }
    run_preview(s_.album.used_templates[std::size_t(*row)].catalogue_number, request_for(s_.album, *row), true, open);
}

void TemplateManagement::run_preview(int catalogue_number, TemplatePreviewRequest request, bool used,
                                     const OpenTemplatePreview& open) {
    if (catalogue_number < 0 || catalogue_number >= int(s_.catalogue.mobancanshu.size()))
        return;
    const QString& extension = s_.state.kuozhanming_1;
    try {
        const PreviewMovie movie = extract_preview_movie(
            s_.root, s_.catalogue.mobancanshu[std::size_t(catalogue_number)].weizhi,
            used ? used_preview_intermediates(extension) : catalogue_preview_intermediates(extension), extension);
        request.mobandizhi = movie.movie;
        request.mobandizhi_2 = movie.copy;
        if (open)
            open(request);
    } catch (const DataError& e) {
        // A damaged or unreadable movie is reported; the album itself is untouched.
        s_.ui.show_message(e.message());
    }
    delete_tree(s_.root.preview_workspace());
}

} // namespace velmora
