#pragma once

#include "effects/effect_entry.h"
#include "templates/album.h"
#include "templates/auto_text_effects.h"
#include "templates/template_catalogue.h"

namespace velmora {

using TextEffectTable = EffectTable<TextEffectEntry>;

// Recomputes the start of every automatically placed text effect from its template: the
// templates whose photos are all matched are laid end to end from frame 0, and an effect
// carrying the tag of its template's last slot row starts its frame offset after that
// template's first frame. Effects of other templates keep their start.
void retime_auto_text_effects(TextEffectTable& effects, const Album& album, const TemplateCatalogue& catalogue);

// The text-effect list and view of the album, and the rules that keep them consistent with
// the used templates: an automatic effect shares its tag with its template's slot rows, and a
// template's tag is taken off its slots once no effect carries it, so the next automatic
// placement serves that template again. Album and catalogue are borrowed. Interface thread.
class TextEffectLists : public AutoTextEffects {
public:
    TextEffectLists(Album& album, const TemplateCatalogue& catalogue) : album_(album), catalogue_(catalogue) {}

    TextEffectTable& table() { return table_; }
    const TextEffectTable& table() const { return table_; }

    // "删除特效" once confirmed: deletes `row`; when it was the last effect carrying its tag, the
    // tag leaves the slot rows; then the automatic effects are retimed. Nothing for a bad row.
    void delete_row(int row);
    // "全部删除" once confirmed: every effect, and every slot row's tag.
    void delete_all();
    // "选择删除特效": the effects added `way`; for automatic ones every slot row's tag goes too.
    // Returns how many were deleted.
    int delete_added_by(EffectAddedBy way);
    void retime() { retime_auto_text_effects(table_, album_, catalogue_); }

    // AutoTextEffects, for the photo list and template management:
    bool any_automatic() const override;
    void remove_marked(const QStringList& marks) override;
    void remove_all_automatic() override;
    void after_photo_deleted() override { retime(); }
    void after_template_deleted(int used_row) override;

private:
    void clear_slot_tag(const QString& tag);

    Album& album_;
    const TemplateCatalogue& catalogue_;
    TextEffectTable table_;
};

} // namespace velmora
