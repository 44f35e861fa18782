#include "templates/template_assignment.h"

#include <array>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "core/data_error.h"
#include "core/packed_kind.h"
#include "templates/template_combination.h"

namespace velmora {
namespace {

// A copy of a photo without a template, waiting for a slot (`heng_zhao` / `shu_zhao`).
struct WorkRow {
    int photo_row = 0;
    bool done = false; // "完成" once a slot took the photo
};
using WorkList = std::vector<WorkRow>;

// The five candidate lists, in the order a rotation step picks from them.
enum class Candidates { Mixed, MixedLandscape, MixedPortrait, Landscape, Portrait };
constexpr std::array<Candidates, 5> kRotationOrder = {Candidates::Mixed, Candidates::MixedLandscape,
                                                      Candidates::MixedPortrait, Candidates::Landscape,
                                                      Candidates::Portrait};

const QString& category_of(Candidates list) {
    static const QString mixed = QStringLiteral("综合模板"), landscape = QStringLiteral("横照模板"),
                         portrait = QStringLiteral("竖照模板");
    return list == Candidates::Landscape ? landscape : list == Candidates::Portrait ? portrait : mixed;
}

// Whether class-list row `row` belongs in candidate list `list` with `h` landscape and `s`
// portrait photos still waiting.
bool qualifies(Candidates list, const ClassRow& row, int h, int s) {
    const int rh = row.hengzhao_jizhang, rs = row.shuzhao_jizhang;
    switch (list) {
    case Candidates::Mixed: return rh > 0 && rs > 0 && rh <= h && rs <= s;
    case Candidates::MixedLandscape: return rh > 0 && rs == 0 && rh <= h;
    case Candidates::MixedPortrait: return rh == 0 && rs > 0 && rs <= s;
    default: return true;
    }
}

// The `xuhao` values of candidate list `list`, rebuilt from the class lists.
std::vector<int> candidate_rows(const TemplateCatalogue& catalogue, Candidates list, int h, int s) {
    const bool filled = list == Candidates::Mixed            ? h > 0 && s > 0
                        : list == Candidates::MixedLandscape ? h > 0
                        : list == Candidates::MixedPortrait  ? s > 0
                        : list == Candidates::Landscape      ? h > 0
                                                             : s > 0;
    const std::vector<ClassRow>& source = list == Candidates::Landscape  ? catalogue.hengzhaopian
                                          : list == Candidates::Portrait ? catalogue.shuzhaopian
                                                                         : catalogue.gaojimoban;
    std::vector<int> rows;
    if (filled)
        for (const ClassRow& row : source)
            if (qualifies(list, row, h, s))
                rows.push_back(row.xuhao);
    return rows;
}

int open_rows(const WorkList& list) {
    return int(std::count_if(list.begin(), list.end(), [](const WorkRow& r) { return !r.done; }));
}

// One assignment job over the photos without a template.
class AssignmentJob {
public:
    AssignmentJob(Album& album, AssignmentState& state, const AssignmentServices& services)
        : album_(album), state_(state), s_(services), pool_(build_background_pool(album.photos)) {
        for (int row = 0; row < int(album.photos.size()); ++row)
            if (!album.photos[std::size_t(row)].fitted)
                (album.photos[std::size_t(row)].is_landscape() ? heng_zhao_ : shu_zhao_).push_back({row});
    }

    int photos_left() const { return open_rows(heng_zhao_) + open_rows(shu_zhao_); }

    // Rotation steps until every photo has a template, or a step places none.
    void rotate() {
        const int total = photos_left();
        while (photos_left() > 0) {
            const int before = photos_left();
            for (Candidates list : kRotationOrder)
                pick(list);
            s_.ui.show_progress(total - photos_left(), total);
            s_.ui.pump_events();
            if (photos_left() == before)
                break;
        }
    }

    // The combination's entries once, then again in turn while photos wait, until a whole
    // round of entries places no further photo.
    void apply_combination(const TemplateCombination& combination) {
        state_.landscape_cursor = -1;
        state_.portrait_cursor = -1;
        const std::vector<CombinationEntry>& entries = combination.entries;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            apply_entry(entries[e]);
            s_.ui.show_progress(int(e) + 1, int(entries.size()));
            s_.ui.pump_events();
        }
        int before_round = photos_left();
        for (std::size_t e = 0; !entries.empty() && photos_left() > 0; e = (e + 1) % entries.size()) {
            apply_entry(entries[e]);
            s_.ui.pump_events();
            if (e + 1 == entries.size()) {
                if (photos_left() == before_round)
                    break;
                before_round = photos_left();
            }
        }
    }

private:
    void pick(Candidates list) {
        const std::vector<int> rows = candidate_rows(s_.catalogue, list, int(heng_zhao_.size()), int(shu_zhao_.size()));
        if (rows.empty())
            return;
        std::vector<int>& memory = memories_[std::size_t(list)];
        std::vector<bool> used(rows.size(), false);
        std::size_t u = 0;
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (int xuhao : memory)
                if (xuhao == rows[i]) {
                    used[i] = true;
                    ++u;
                }
        std::size_t chosen = 0;
        if (u == 0 || u >= rows.size())
            memory.clear();
        else
            chosen = std::size_t(std::find(used.begin(), used.end(), false) - used.begin());
        for (int r = 0; r < int(s_.catalogue.moban.size()); ++r) {
            const TemplateListRow& t = s_.catalogue.moban[std::size_t(r)];
            if (t.xuhao == rows[chosen] && t.category == category_of(list))
                use_template(r);
        }
        memory.push_back(rows[chosen]);
        remove_done(heng_zhao_);
        remove_done(shu_zhao_);
    }

    void apply_entry(const CombinationEntry& entry) {
        for (int r = 0; r < int(s_.catalogue.moban.size()); ++r) {
            const TemplateListRow& t = s_.catalogue.moban[std::size_t(r)];
            if (t.mingcheng == entry.template_name && QString::number(t.hengzhao_jizhang) == entry.landscape &&
                QString::number(t.shuzhao_jizhang) == entry.portrait)
                use_template(r);
        }
    }

    // Puts template-list row `r` into the album and fills its slots by the mode.
    void use_template(int r) {
        const auto used_row = add_used_template(album_, s_.catalogue, r, true, pool_, s_.random);
        if (!used_row)
            return;
        const SlotRange range = slot_range(album_, *used_row);
        int k_landscape = 0, k_portrait = 0;
        for (int slot = range.first; slot < range.first + range.count; ++slot) {
            const bool landscape = album_.slot_rows[std::size_t(slot)].slot_kind == SlotKind::Landscape;
            WorkList& list = landscape ? heng_zhao_ : shu_zhao_;
            const std::optional<std::size_t> row = state_.mobanfashi == AssignmentMode::Combination
                                                       ? next_by_cursor(list, landscape ? state_.landscape_cursor
                                                                                        : state_.portrait_cursor)
                                                       : nth_row(list, landscape ? k_landscape++ : k_portrait++);
            if (!row)
                continue; // no photo of this kind waits: the slot stays empty
            match_photo_to_slot(album_, slot, list[*row].photo_row, s_.settings);
            list[*row].done = true;
        }
        // A slot left empty makes the template unfinished rather than claiming "已完成".
        refresh_match_state(album_, *used_row);
    }

    static std::optional<std::size_t> nth_row(const WorkList& list, int k) {
        return k < int(list.size()) ? std::optional<std::size_t>(std::size_t(k)) : std::nullopt;
    }

    static std::optional<std::size_t> next_by_cursor(const WorkList& list, int& cursor) {
        if (list.empty())
            return std::nullopt;
        ++cursor;
        if (cursor >= int(list.size()) || cursor < 0)
            cursor = 0;
        return std::size_t(cursor);
    }

    static void remove_done(WorkList& list) {
        list.erase(std::remove_if(list.begin(), list.end(), [](const WorkRow& r) { return r.done; }), list.end());
    }

    Album& album_;
    AssignmentState& state_;
    const AssignmentServices& s_;
    BackgroundPool pool_;
    WorkList heng_zhao_, shu_zhao_;
    std::array<std::vector<int>, kRotationOrder.size()> memories_; // `xuhao`s picked since last emptied
};

void report_left(Ui& ui, int left) {
    if (left > 0)
        ui.show_message(photos_left_message(left));
}

AssignmentResult combination_job(Album& album, int photo_count, AssignmentState& state,
                                 const AssignmentServices& services) {
    TemplateCombination combination;
    try {
        combination = read_combination(services.root, state.zuhemoban_xuanhao + 1, photo_count);
    } catch (const DataError& e) {
        services.ui.show_message(QStringLiteral("组合模板文件不能读取：%1").arg(e.message()), QStringLiteral("组合模板"));
        return {photo_count};
    }
    AssignmentJob job(album, state, services);
    job.apply_combination(combination);
    report_left(services.ui, job.photos_left());
    return {job.photos_left()};
}

} // namespace

QString to_text(AssignmentMode mode) {
    switch (mode) {
    case AssignmentMode::Random: return QStringLiteral("shiyong_suijimoban");
    case AssignmentMode::Combination: return QStringLiteral("shiyong_zuhemoban");
    default: return {};
    }
}

std::optional<AssignmentMode> assignment_mode_from_text(const QString& text) {
    for (AssignmentMode mode : {AssignmentMode::Unset, AssignmentMode::Random, AssignmentMode::Combination})
        if (to_text(mode) == text)
            return mode;
    return std::nullopt;
}

QString photos_left_message(int count) {
    return QStringLiteral("有 %1 张照片没有找到可以使用的模板，未能自动分配模板！").arg(count);
}

AssignmentResult assign_templates(Album& album, int first_new_photo_row, AssignmentState& state,
                                  const AssignmentServices& services) {
    (void)first_new_photo_row; // every photo without a template takes part, old ones too
    AssignmentResult result;
    if (state.mobanfashi == AssignmentMode::Combination) {
        result = combination_job(album, int(album.photos.size()), state, services);
    } else {
        AssignmentJob job(album, state, services);
        job.rotate();
        result.photos_left = job.photos_left();
        apply_default_background(album, services.root, services.ui);
        report_left(services.ui, result.photos_left);
    }
    if (services.automatic_effects)
        services.automatic_effects(album);
    return result;
}

AssignmentResult run_fitting_job(Album& album, AssignmentState& state, const AssignmentServices& services) {
    if (album.photos.empty()) {
        services.ui.show_message(QStringLiteral("没有添加照片文件！"));
        return {};
    }
    fill_empty_backgrounds(album.backgrounds, build_background_pool(album.photos), services.random);
    AssignmentJob job(album, state, services);
    job.rotate();
    const int left = job.photos_left();
    if (left > 0)
        report_left(services.ui, left);
    else
        services.ui.show_message(QStringLiteral("照片与模板自动匹配已完成！"));
    return {left};
}

void apply_default_background(Album& album, const DataRoot& root, Ui& ui) {
    const auto empty = [](const BackgroundRow& row) { return row.location.isEmpty(); };
    if (std::none_of(album.backgrounds.begin(), album.backgrounds.end(), empty))
        return;
    if (!QFileInfo::exists(root.default_background()))
        return; // as with a missing picture, the rows stay as they are
    const QString work = root.work_dir();
    QDir().mkpath(work);
    const QString stamp = time_of_day_stamp();
    const QString picture = root.default_background_jpeg();
    QDir().mkpath(QFileInfo(picture).path());
    const auto report_damaged = [&](const QString& reason) {
        ui.show_message(QStringLiteral("默认背景图片 %1 已损坏，无法使用，没有选择背景图片的模板将没有背景。\n%2")
                            .arg(root.default_background(), reason));
    };
    try {
        unpack_nested(root.default_background(), packed_kind::kDefaultBackground,
                      [&](int step) { return work + QStringLiteral("/wj_0_or_6_6_d_2%1%2.rar").arg(step).arg(stamp); },
                      picture);
    } catch (const DataError& error) {
        return report_damaged(error.message());
    }
    QImageReader reader(picture);
    const QSize size = reader.read().size();
    if (size.isEmpty())
        return report_damaged(QStringLiteral("%1 cannot be decoded: %2").arg(picture, reader.errorString()));
    // Only rows without a picture take it: a picture chosen for a row is kept.
    for (BackgroundRow& row : album.backgrounds) {
        if (!empty(row))
            continue;
        row.picture_name = QStringLiteral("wj_0_or_6_6");
        row.picture_format = QStringLiteral(".jpg");
        row.width = size.width();
        row.height = size.height();
        row.location = picture;
    }
}

} // namespace velmora
