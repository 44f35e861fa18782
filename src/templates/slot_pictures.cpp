#include "templates/slot_pictures.h"

#include <QDir>
#include <QPainter>

#include "core/data_error.h"
#include "core/jpeg_writer.h"
#include "core/native_path.h"
#include "templates/bar_list.h"
#include "templates/slot_picture_layout.h"
#include "templates/template_category.h"
#include "templates/used_templates.h"
#include "templates/visible_part.h"

namespace velmora {
namespace {

constexpr QSize kReferenceFrame{1920, 1080};

QImage white(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Where picture k takes its drawing from: the canvas of slot `slot` (an index into the
// template's slots), or that slot's photo file itself.
struct Source {
    int slot = -1; // -1: the template has no slots, the picture stays white
    bool photo_file = false;
};

// One composition: the template's slots with their canvases, and what was written.
class Composition {
public:
    Composition(const Album& album, std::vector<const SlotRow*> slot_list, TemplateCategory category,
                CropMark landscape_option, const ThumbnailService& thumbnails, const StopRequest& stop)
        : album_(album), slot_rows_(std::move(slot_list)), category_(category), option_(landscape_option),
          thumbnails_(thumbnails), stop_(stop) {}

    // The reference-scale canvas of every slot, in slot order. False when stopped.
    bool draw_canvases() {
        for (const SlotRow* slot : slot_rows_) {
            if (stopped())
                return false;
            canvases_.push_back(draw_canvas(*slot));
        }
        return true;
    }

    // Every picture of `names` into `folder`. False when stopped.
    bool write_pictures(const QStringList& names, const QStringList& widths, const QStringList& heights,
                        QSize reference, const QString& folder) {
        QStringList slot_pictures;
        for (const SlotRow* slot : slot_rows_)
            slot_pictures.append(slot->picture);
        // Before any picture names a slot, the last slot's photo file stands in.
        Source previous{int(slot_rows_.size()) - 1, true};
        for (qsizetype k = 0; k < names.size(); ++k) {
            const std::optional<int> slot = picture_source(slot_pictures, names[k]);
            const Source source = slot ? Source{*slot, false} : previous;
            previous = source;
            if (!is_plain_picture_name(names[k])) {
                result_.refused_names.append(names[k]);
                continue;
            }
            if (stopped())
                return false;
            const QSize listed{item(widths, k), item(heights, k)};
            const QSize size = final_picture_size(category_, option_, reference, canvas_size(source), listed);
            const QString path = QDir(folder).filePath(names[k] + QStringLiteral(".jpg"));
            save_jpeg(draw(source, size), path);
            result_.written.append(path);
        }
        return true;
    }

    SlotPicturesResult& result() { return result_; }

private:
    static int item(const QStringList& items, qsizetype k) { return k < items.size() ? items[k].toInt() : 0; }

    bool stopped() {
        if (stop_ && stop_())
            result_.stopped = true;
        return result_.stopped;
    }

    QSize measured(const SlotRow& slot) const {
        if (!slot.photo_row || *slot.photo_row < 0 || *slot.photo_row >= int(album_.photos.size()))
            return {};
        const PhotoEntry& photo = album_.photos[std::size_t(*slot.photo_row)];
        return {photo.width, photo.height};
    }

    // The slot's photo, or `part` of it, at `size`; nothing when the slot holds none. A photo
    // that decoded when it was added and does not now (changed or removed since) stops the
    // composition: a blank box must never stand in for it.
    std::optional<QImage> render_photo(const SlotRow& slot, QSize size, QRectF part = QRectF(0, 0, 1, 1)) const {
        if (slot.photo_location.isEmpty() || size.isEmpty())
            return std::nullopt;
        const Thumbnail t = thumbnails_.render_part(slot.photo_location, part, size);
        if (t.failed || t.image.isNull())
            throw DataError(QStringLiteral("The photo %1 cannot be read any more; it was changed or removed "
                                           "after it was added")
                                .arg(shown_path(slot.photo_location)));
        return t.image;
    }

    // Only the part of the photo inside the canvas is rendered: a long photo covering a slot
    // may be placed millions of pixels wide.
    QImage draw_canvas(const SlotRow& slot) const {
        const SlotCanvas layout = slot_canvas(slot, category_, option_, measured(slot));
        QImage canvas = white(layout.canvas);
        const std::optional<VisiblePart> shown = visible_part(layout.photo, canvas.rect());
        if (!shown)
            return canvas;
        if (const std::optional<QImage> photo = render_photo(slot, shown->on_frame.size(), shown->of_picture)) {
            QPainter painter(&canvas);
            painter.drawImage(shown->on_frame.topLeft(), *photo);
        }
        return canvas;
    }

    QSize canvas_size(const Source& source) const {
        return source.slot < 0 ? kReferenceFrame : canvases_[std::size_t(source.slot)].size();
    }

    QImage draw(const Source& source, QSize size) {
        if (source.slot < 0)
            return white(size);
        if (source.photo_file) {
            const std::optional<QImage> photo = render_photo(*slot_rows_[std::size_t(source.slot)], size);
            return photo ? *photo : white(size);
        }
        const QImage& canvas = canvases_[std::size_t(source.slot)];
        return canvas.size() == size ? canvas
                                     : canvas.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                           .convertToFormat(QImage::Format_RGB32);
    }

    const Album& album_;
    std::vector<const SlotRow*> slot_rows_;
    TemplateCategory category_;
    CropMark option_;
    const ThumbnailService& thumbnails_;
    const StopRequest& stop_;
    std::vector<QImage> canvases_;
    SlotPicturesResult result_;
};

std::vector<const SlotRow*> slots_of(const Album& album, int used_row) {
    const SlotRange range = slot_range(album, used_row);
    std::vector<const SlotRow*> slot_list;
    for (int s = range.first; s < range.first + range.count; ++s)
        slot_list.push_back(&album.slot_rows[std::size_t(s)]);
    return slot_list;
}

} // namespace

SlotPicturesResult compose_slot_pictures(const Album& album, const TemplateCatalogue& catalogue, int used_row,
                                         QSize reference, CropMark landscape_option, const QString& folder,
                                         const ThumbnailService& thumbnails, const StopRequest& stop) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return {};
    const UsedTemplate& used = album.used_templates[std::size_t(used_row)];
    if (used.catalogue_number < 0 || used.catalogue_number >= int(catalogue.mobancanshu.size()))
        return {};
    const TemplateParams& params = catalogue.mobancanshu[std::size_t(used.catalogue_number)];
    Composition composition(album, slots_of(album, used_row), category_of(used.category), landscape_option,
                            thumbnails, stop);
    if (composition.draw_canvases())
        composition.write_pictures(split_bar_list(params.xpjpgmc), split_bar_list(params.xpkd),
                                   split_bar_list(params.xpgd), reference, folder);
    return std::move(composition.result());
}

} // namespace velmora
