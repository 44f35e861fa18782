#pragma once

#include <functional>
#include <vector>

#include "templates/slot_assignment.h"
#include "templates/tile_area_view.h"

namespace velmora {

// The slot frames of the selected used template: one frame per slot, in slot order, showing
// an empty placeholder of its kind or the strip picture of its photo, with the photo's name
// under it ("显示照片名称" while empty). Photos carried from the strip are dropped here.
class SlotFramesView : public TileAreaView {
    Q_OBJECT
public:
    explicit SlotFramesView(QColor background, QWidget* parent = nullptr);

    // Called when a photo is dropped on slot `slot_index`.
    std::function<void(int slot_index, int photo_row)> dropped;

    // Replaces the frames by one per slot of `slot_views` (index = slot_index), empty.
    void show_slots(const std::vector<SlotView>& slot_views);
    // Shows photo `cell` and `name` in the frame of `slot_index`.
    void show_photo(int slot_index, const QPixmap& cell, const QString& name);
    // "heng" or "shu": the kind the frame of `slot_index` takes.
    QString frame_kind(int slot_index) const;

private:
    QColor background_;
};

} // namespace velmora
