#include "effects/auto_text_placement.h"

#include <optional>

#include "effects/effect_adding.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_definition.h"
#include "templates/bar_list.h"

namespace velmora {
namespace {

struct Candidate {
    EffectId id;
    EffectDefinition definition;
};

struct Pick {
    int used_row;
    const Candidate* effect;
    QString mark;
    int offset;
};

int pick_below(const RandomPick& random, int n) { return std::clamp(random(n), 0, n - 1); }

// The listed effects whose definitions can be used.
std::vector<Candidate> listed_candidates(const DataRoot& root, int position, TextRunResult& result) {
    std::vector<Candidate> out;
    for (const EffectId& id : list_text_effects(root, position).ids) {
        QString reason;
        if (const auto d = read_effect_definition(root, id, &reason))
            out.push_back({id, *d});
        else
            result.problems.append(reason);
    }
    return out;
}

const SlotRow* last_slot_of(const Album& album, int used_row) {
    for (auto slot = album.slot_rows.rbegin(); slot != album.slot_rows.rend(); ++slot)
        if (slot->used_row == used_row)
            return &*slot;
    return nullptr;
}

// Whether the option places effects on the next template that may take them.
class PlacementDecision {
public:
    PlacementDecision(const TextPlacementRequest& request, const RandomPick& random) : request_(request), random_(random) {}
    bool next() {
        switch (request_.option) {
        case TextPlacementOption::EveryTemplate:
            return true;
        case TextPlacementOption::Interval:
            if (request_.interval < counter_)
                counter_ = 0;
            return ++counter_ == request_.interval;
        case TextPlacementOption::Random:
            return pick_below(random_, 6) % 2 == 1;
        }
        return false;
    }

private:
    const TextPlacementRequest& request_;
    const RandomPick& random_;
    int counter_ = 0;
};

// The template's marks with their frame offsets.
std::vector<std::pair<QString, int>> template_marks(const TemplateParams& params, const RandomPick& random) {
    const QStringList offsets = split_bar_list(params.wxcs01);
    QStringList marks = split_bar_list(params.wxcs02);
    std::vector<std::pair<QString, int>> out;
    for (int k = 0; k < marks.size() && k < offsets.size(); ++k)
        out.emplace_back(marks[k], offsets[k].toInt());
    const QStringList optional = split_bar_list(params.wxcs04);
    if (!optional.isEmpty() && !offsets.isEmpty())
        out.emplace_back(optional[pick_below(random, int(optional.size()))], offsets.back().toInt());
    return out;
}

const Candidate* pick_for_mark(const std::vector<Candidate>& candidates, const QString& mark, const RandomPick& random) {
    std::vector<const Candidate*> weighted;
    for (const Candidate& c : candidates)
        for (const QChar ch : c.definition.marks)
            if (mark.size() == 1 && ch == mark.front())
                weighted.push_back(&c);
    return weighted.empty() ? nullptr : weighted[std::size_t(pick_below(random, int(weighted.size())))];
}

TextEffectEntry automatic_entry(const Pick& p, const DataRoot& root) {
    // The start is replaced by the retiming.
    TextEffectEntry e = text_entry(root, p.effect->id, p.effect->definition, QStringLiteral("00:00:00"));
    e.template_mark = p.mark;
    e.template_row = p.used_row;
    e.frame_offset = p.offset;
    e.added_by = EffectAddedBy::Automatic;
    return e;
}

} // namespace

QString automatic_tag(const QTime& time, int used_row) {
    return time.toString(QStringLiteral("HHmmss")) + QLatin1Char('_') + QString::number(used_row);
}

TextRunResult auto_text_effects(const TextPlacementRequest& request, Album& album, const TemplateCatalogue& catalogue,
                                const DataRoot& root, const RandomPick& random, const QTime& tag_time,
                                TextEffectLists& lists) {
    TextRunResult result;
    const std::vector<Candidate> candidates = listed_candidates(root, request.category_position, result);
    PlacementDecision decision(request, random);
    std::vector<Pick> picks;
    for (int r = 0; r < int(album.used_templates.size()); ++r) {
        const UsedTemplate& used = album.used_templates[std::size_t(r)];
        const SlotRow* last = last_slot_of(album, r);
        if (!used.complete || !last || !last->effect_mark.isEmpty() || !decision.next())
            continue;
        if (std::size_t(used.catalogue_number) >= catalogue.mobancanshu.size())
            continue;
        for (const auto& [mark, offset] : template_marks(catalogue.mobancanshu[std::size_t(used.catalogue_number)], random))
            if (const Candidate* c = pick_for_mark(candidates, mark, random))
                picks.push_back({r, c, mark, offset});
    }
    for (const Pick& p : picks) {
        TextEffectEntry e = automatic_entry(p, root);
        e.auto_tag = automatic_tag(tag_time, p.used_row);
        lists.table().append(std::move(e));
        for (SlotRow& slot : album.slot_rows)
            if (slot.used_row == p.used_row)
                slot.effect_mark = automatic_tag(tag_time, p.used_row);
        ++result.placed;
    }
    lists.retime();
    return result;
}

} // namespace velmora
