#pragma once

#include <functional>
#include <optional>
#include <QMimeData>

#include "templates/tile_area_view.h"

namespace velmora {

// A photo carried from the strip to a slot frame: its photo row in decimal under this type.
inline constexpr const char* kPhotoRowMimeType = "application/x-velmora-photo-row";
QMimeData* photo_drag_data(int photo_row);
std::optional<int> dragged_photo_row(const QMimeData* data);

// The strip of every photo in the template-management window. Pressing a photo and moving
// the pointer carries a copy of its picture, with its name, to wherever it is dropped.
class PhotoStripView : public TileAreaView {
    Q_OBJECT
public:
    explicit PhotoStripView(QColor background, QWidget* parent = nullptr);

    // Asked when a photo is pressed; false leaves the photo where it is.
    std::function<bool()> can_pick;

    // Appends photo `photo_row` as `cell` with its name as caption and `hint` as tool tip.
    void add_photo(int photo_row, const QImage& cell, const QString& name, const QString& hint);
    // Lays the photos out after the last one was added.
    void finish() { relayout(); }
    // The strip picture of photo `photo_row` (null when the strip does not hold it).
    QPixmap cell(int photo_row) const;
};

} // namespace velmora
