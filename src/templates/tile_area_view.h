#pragma once

#include <vector>
#include <QColor>
#include <QLabel>
#include <QScrollArea>

namespace velmora {

// A scrolling area of tiles: a picture with a caption under it, laid out in rows (TileLayout)
// and laid out again when the area changes width. The strip of photos and the slot frames of
// the template-management window are such areas.
class TileAreaView : public QScrollArea {
    Q_OBJECT
public:
    explicit TileAreaView(QColor background, QWidget* parent = nullptr);

    int count() const { return int(pictures_.size()); }
    QLabel* picture(int k) const { return pictures_.at(std::size_t(k)); }
    QLabel* caption(int k) const { return captions_.at(std::size_t(k)); }
    // Removes every tile.
    void clear();
    // Shows `caption` under tile `k`, shortened in the middle when it is too long.
    void set_caption(int k, const QString& caption);

protected:
    // Appends a tile showing `picture` (the area takes it over) with `caption` under it.
    void add_tile(QLabel* picture, const QString& caption);
    // Lays the tiles out for the area's current width.
    void relayout();
    QWidget* canvas() const { return canvas_; }
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* canvas_;
    std::vector<QLabel*> pictures_;
    std::vector<QLabel*> captions_;
};

} // namespace velmora
