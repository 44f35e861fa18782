#pragma once

#include <functional>
#include <optional>

#include "core/app_state.h"
#include "core/data_root.h"
#include "core/system_settings.h"
#include "core/ui.h"
#include "templates/album.h"
#include "templates/auto_text_effects.h"
#include "templates/background_pool.h"
#include "templates/slot_assignment.h"
#include "templates/template_catalogue.h"
#include "templates/template_preview_request.h"

namespace velmora {

// What template management works on; everything is borrowed and must outlive the user.
struct TemplateManagementServices {
    Album& album;
    const TemplateCatalogue& catalogue;
    const SystemSettings& settings;
    Ui& ui;
    DataRoot root;
    const AppState& state;      // `kuozhanming_1`, the extension of extracted movies
    const BackgroundPool& pool; // the background photo pool as of its last rebuild
    RandomPick random;          // picks a pool photo for a new template's background
    // The automatic text effects, told when used templates go; none: there are no effects.
    AutoTextEffects* effects = nullptr;
};

// Shows the template preview window for `request` and returns when it was closed.
using OpenTemplatePreview = std::function<void(const TemplatePreviewRequest& request)>;

// The commands of the template-management window, with their refusals and questions. Every
// change of the lists goes through the used-template operations. Selections are passed in as
// rows (nothing when no row is selected). Interface thread only.
class TemplateManagement {
public:
    explicit TemplateManagement(TemplateManagementServices services);

    const Album& album() const { return s_.album; }
    const TemplateCatalogue& catalogue() const { return s_.catalogue; }

    // "使用选中模板": adds a used template, "未完成", for row `list_row` of the template list.
    // Returns its used row; nothing with an empty catalogue (silently) or no row selected.
    std::optional<int> use_template(std::optional<int> list_row);
    // The used template a command acts on, or nothing after the refusal: none added, none selected.
    std::optional<int> selected_used(std::optional<int> used_row) const;
    // Whether a photo may be picked up for a slot: only once a used template shows its slots.
    bool can_pick_photo(std::optional<int> used_row) const;
    // A photo dropped on slot `slot_index` of `used_row` (see place_photo_by_hand).
    HandPlacement drop_photo(int used_row, int slot_index, int photo_row);
    // "删除" after confirmation; true when the used template was deleted.
    bool delete_used(std::optional<int> used_row);
    // "全删" after confirmation; true when the used templates were deleted.
    bool delete_all();

    // "预览模板": extracts the movie of the catalogue template at `list_row`, shows the preview
    // through `open`, then removes the preview workspace.
    void preview_catalogue_template(std::optional<int> list_row, const OpenTemplatePreview& open);
    // "预览": the same for a used template, refused while any of its slots is empty.
    void preview_used_template(std::optional<int> used_row, const OpenTemplatePreview& open);

private:
    void run_preview(int catalogue_number, TemplatePreviewRequest request, bool used, const OpenTemplatePreview& open);

    TemplateManagementServices s_;
};

} // namespace velmora
