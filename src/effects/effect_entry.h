#pragma once

#include <optional>
#include <vector>
#include <QString>
#include <QStringList>

#include "effects/effect_id.h"

namespace velmora {

// "启动": waiting for its start ("tingzhi"), running ("qidong"), finished in this run ("wancheng").
enum class EffectRunState { Waiting, Running, Finished };
// "添加方式": "手动添加" (by hand) or "自动添加" (automatic).
enum class EffectAddedBy { Hand, Automatic };
QString to_text(EffectRunState state);
QString to_text(EffectAddedBy way);

// "结束时间" is never used and always reads this.
inline QString effect_end_time_text() { return QStringLiteral("暂无"); }

// A row of the picture-effect list.
struct PictureEffectEntry {
    int frame_count = 0;          // "帧数"
    QString start = {};           // "开始时间", hh:mm:ss on the album clock
    EffectRunState state = EffectRunState::Waiting;
    QString name = {};            // "图片装饰特效"
    int number = 0;               // "顺序号": installed effect number - 1
    EffectAddedBy added_by = EffectAddedBy::Hand;
    bool overlay = false;         // "是否创建控件": "chuangjian" / "wu"

    EffectId effect() const { return EffectId::picture(number + 1); }
    static const QStringList& captions();
    QStringList cells() const;    // in caption order
};

// A row of the text-effect list. The automatic columns are empty for an effect added by hand.
struct TextEffectEntry {
    int frame_count = 0;
    QString start = {};
    EffectRunState state = EffectRunState::Waiting;
    QString name = {};
    int number = 0;               // "顺序号": K - 1
    int x = 0;                    // "X_位置", effect-canvas pixels, may be negative
    int y = 0;                    // "Y_位置"
    int category = 0;             // "分类号": G
    QString auto_tag = {};        // "文字特效是否自动添加_标注", shared with its template's slot rows
    QString template_mark = {};   // "文字特效自动添加_标注": the mark it was chosen for
    std::optional<int> template_row = {}; // "..._对应模板行号": 0-based used template
    std::optional<int> frame_offset = {}; // "..._帧位置数": frame within that template where it starts
    EffectAddedBy added_by = EffectAddedBy::Hand;
    bool overlay = false;

    EffectId effect() const { return EffectId::text(category, number + 1); }
    static const QStringList& captions();
    QStringList cells() const;
};

// A row of an effect view, what the effect window shows of list row position - 1.
struct EffectViewRow {
    int position = 0;             // "序号", from 1
    int frame_count = 0;
    QString start = {};
    QString name = {};            // "特效名称"
    EffectAddedBy added_by = EffectAddedBy::Hand;

    static const QStringList& captions();
    QStringList cells() const;
};

// One effect list with its view. The view is made from the list, so row i of the view always
// describes row i of the list and both lose rows together. Interface thread only.
template <class Entry>
class EffectTable {
public:
    const std::vector<Entry>& list() const { return rows_; }
    Entry& at(int row) { return rows_.at(std::size_t(row)); }
    const Entry& at(int row) const { return rows_.at(std::size_t(row)); }
    int size() const { return int(rows_.size()); }
    bool empty() const { return rows_.empty(); }

    EffectViewRow view_row(int row) const {
        const Entry& e = at(row);
        return {row + 1, e.frame_count, e.start, e.name, e.added_by};
    }
    std::vector<EffectViewRow> view() const {
        std::vector<EffectViewRow> out;
        for (int i = 0; i < size(); ++i)
            out.push_back(view_row(i));
        return out;
    }

    void append(Entry entry) { rows_.push_back(std::move(entry)); }
    // Nothing happens for a row that does not exist.
    void remove(int row) {
        if (row >= 0 && row < size())
            rows_.erase(rows_.begin() + row);
    }
    void clear() { rows_.clear(); }
    // Deletes every row added `way`, last to first; returns how many.
    int remove_added_by(EffectAddedBy way) {
        int removed = 0;
        for (int i = size() - 1; i >= 0; --i)
            if (rows_[std::size_t(i)].added_by == way) {
                remove(i);
                ++removed;
            }
        return removed;
    }
    // Every row back to waiting without an overlay, as stopping a preview leaves them.
    void reset_states() {
        for (Entry& e : rows_) {
            e.state = EffectRunState::Waiting;
            e.overlay = false;
        }
    }

private:
    std::vector<Entry> rows_;
};

using PictureEffectTable = EffectTable<PictureEffectEntry>;

} // namespace velmora
