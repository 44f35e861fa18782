#include "templates/slot_frames_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>

#include "templates/photo_strip_view.h"
#include "templates/template_manager_pictures.h"

namespace velmora {
namespace {

// One slot frame; takes photos carried from the strip.
class SlotFrame : public QLabel {
public:
    SlotFrame(SlotFramesView& view, int slot_index, SlotKind kind) : view_(view), slot_index_(slot_index) {
        setAcceptDrops(true);
        setProperty("slot_kind", kind == SlotKind::Landscape ? QStringLiteral("heng") : QStringLiteral("shu"));
        setObjectName(QStringLiteral("slot_%1").arg(slot_index + 1));
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (dragged_photo_row(event->mimeData()))
            event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        const std::optional<int> row = dragged_photo_row(event->mimeData());
        if (!row)
            return;
        event->acceptProposedAction();
        if (view_.dropped)
            view_.dropped(slot_index_, *row);
    }

private:
    SlotFramesView& view_;
    int slot_index_;
};

} // namespace

SlotFramesView::SlotFramesView(QColor background, QWidget* parent)
    : TileAreaView(background, parent), background_(background) {
    setObjectName(QStringLiteral("slot_frames"));
}

void SlotFramesView::show_slots(const std::vector<SlotView>& slot_views) {
    clear();
    for (int k = 0; k < int(slot_views.size()); ++k) {
        auto* frame = new SlotFrame(*this, k, slot_views[std::size_t(k)].kind);
        frame->setPixmap(QPixmap::fromImage(ManagerPictures::empty_slot(slot_views[std::size_t(k)].kind, background_)));
        add_tile(frame, QStringLiteral("显示照片名称"));
    }
    relayout();
}

void SlotFramesView::show_photo(int slot_index, const QPixmap& cell, const QString& name) {
    if (slot_index < 0 || slot_index >= count())
        return;
    picture(slot_index)->setPixmap(cell);
    set_caption(slot_index, name);
}

QString SlotFramesView::frame_kind(int slot_index) const {
    return slot_index >= 0 && slot_index < count() ? picture(slot_index)->property("slot_kind").toString() : QString();
}

} // namespace velmora
