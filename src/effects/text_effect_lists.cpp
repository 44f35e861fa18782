#include "effects/text_effect_lists.h"

#include <algorithm>

#include "core/clock.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

// The tag of used template `used_row`: that of its last slot row, or empty.
QString template_tag(const Album& album, int used_row) {
    for (auto slot = album.slot_rows.rbegin(); slot != album.slot_rows.rend(); ++slot)
        if (slot->used_row == used_row)
            return slot->effect_mark;
    return {};
}

int template_frames(const UsedTemplate& used, const TemplateCatalogue& catalogue) {
    const auto n = std::size_t(used.catalogue_number);
    return n < catalogue.mobancanshu.size() ? std::max(0, catalogue.mobancanshu[n].mbdx.toInt()) : 0;
}

bool is_automatic(const TextEffectEntry& e) { return e.added_by == EffectAddedBy::Automatic; }

} // namespace

void retime_auto_text_effects(TextEffectTable& effects, const Album& album, const TemplateCatalogue& catalogue) {
    qint64 first_frame = 0;
    for (int r = 0; r < int(album.used_templates.size()); ++r) {
        const UsedTemplate& used = album.used_templates[std::size_t(r)];
        if (!used.complete)
            continue;
        const QString tag = template_tag(album, r);
        for (int i = 0; !tag.isEmpty() && i < effects.size(); ++i) {
            TextEffectEntry& e = effects.at(i);
            if (e.auto_tag == tag)
                e.start = frames_to_clock(e.frame_offset.value_or(0) + first_frame);
        }
        first_frame += template_frames(used, catalogue);
    }
}

void TextEffectLists::clear_slot_tag(const QString& tag) {
    if (tag.isEmpty())
        return;
    for (SlotRow& slot : album_.slot_rows)
        if (slot.effect_mark == tag)
            slot.effect_mark.clear();
}

void TextEffectLists::delete_row(int row) {
    if (row < 0 || row >= table_.size())
        return;
    const QString tag = table_.at(row).auto_tag;
    const auto sharing = std::count_if(table_.list().begin(), table_.list().end(),
                                       [&](const TextEffectEntry& e) { return e.auto_tag == tag; });
    // The tag names the template it was placed on, so it is found on the slots by its text even
    // when the template's row has moved since.
    if (sharing == 1)
        clear_slot_tag(tag);
    table_.remove(row);
    retime();
}

void TextEffectLists::delete_all() {
    table_.clear();
    for (SlotRow& slot : album_.slot_rows)
        slot.effect_mark.clear();
}

int TextEffectLists::delete_added_by(EffectAddedBy way) {
    const int removed = table_.remove_added_by(way);
    if (way == EffectAddedBy::Automatic)
        for (SlotRow& slot : album_.slot_rows)
            slot.effect_mark.clear();
    return removed;
}

bool TextEffectLists::any_automatic() const {
    return std::any_of(table_.list().begin(), table_.list().end(), is_automatic);
}

void TextEffectLists::remove_marked(const QStringList& marks) {
    for (int i = table_.size() - 1; i >= 0; --i)
        if (is_automatic(table_.at(i)) && marks.contains(table_.at(i).auto_tag))
            table_.remove(i);
}

void TextEffectLists::remove_all_automatic() { table_.remove_added_by(EffectAddedBy::Automatic); }

// Captions placed for a template's free bands mean nothing over whatever plays at that time
// once the template is gone, so they go with it; the templates after it move up one row.
void TextEffectLists::after_template_deleted(int used_row) {
    for (int i = table_.size() - 1; i >= 0; --i) {
        TextEffectEntry& e = table_.at(i);
        if (!is_automatic(e) || !e.template_row)
            continue;
        if (*e.template_row == used_row)
            table_.remove(i);
        else if (*e.template_row > used_row)
            e.template_row = *e.template_row - 1;
    }
    retime();
}

} // namespace velmora
