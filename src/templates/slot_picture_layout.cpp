#include "templates/slot_picture_layout.h"

namespace velmora {
namespace {

constexpr QSize kReferenceFrame{1920, 1080};

int scale(qint64 a, qint64 b, qint64 c) { return c == 0 ? 0 : int(a * b / c); }

QRect full_screen_placement(const SlotRow& slot) {
    return {slot.jiancai_left_x, slot.jiancai_top_y, slot.jiancai_width, slot.jiancai_height};
}

QRect fitted_placement(const SlotRow& slot) {
    return {slot.shizhong_jiancai_left_x, slot.shizhong_jiancai_top_x, slot.shizhong_jiancai_width,
            slot.shizhong_jiancai_height};
}

SlotCanvas raw_canvas(const SlotRow& slot, TemplateCategory category, CropMark landscape_option, QSize photo) {
    switch (category) {
    case TemplateCategory::Landscape:
        if (landscape_option == CropMark::FullScreen)
            return {kReferenceFrame, full_screen_placement(slot)};
        return {fitted_frame_size(photo), QRect(QPoint(0, 0), fitted_frame_size(photo))};
    case TemplateCategory::Portrait:
        return {QSize(slot.shizhong_jiancai_width + 2 * slot.shizhong_jiancai_left_x, kReferenceFrame.height()),
                fitted_placement(slot)};
    case TemplateCategory::Mixed:
        break;
    }
    return {QSize(slot.mobanchicun_width, slot.mobanchicun_height), full_screen_placement(slot)};
}

} // namespace

SlotCanvas slot_canvas(const SlotRow& slot, TemplateCategory category, CropMark landscape_option, QSize photo) {
    SlotCanvas c = raw_canvas(slot, category, landscape_option, photo);
    if (c.canvas.width() <= 0 || c.canvas.height() <= 0)
        c.canvas = kReferenceFrame;
    return c;
}

QSize fitted_frame_size(QSize photo) {
    const int pw = photo.width(), ph = photo.height();
    if (pw <= 0 || ph <= 0)
        return kReferenceFrame;
    if (ph < pw) {
        QSize s{kReferenceFrame.width(), scale(ph, kReferenceFrame.width(), pw)};
        if (s.height() > kReferenceFrame.height())
            s = {scale(pw, kReferenceFrame.height(), ph), kReferenceFrame.height()};
        return s;
    }
    // Square photos, and portrait ones (which the landscape template gets only by hand):
    // as high as the frame.
    return {scale(pw, kReferenceFrame.height(), ph), kReferenceFrame.height()};
}

QSize final_picture_size(TemplateCategory category, CropMark landscape_option, QSize reference, QSize canvas,
                         QSize listed) {
    const int rw = reference.width(), rh = reference.height();
    QSize size;
    switch (category) {
    case TemplateCategory::Mixed:
        size = {scale(rw, listed.width(), 1920), scale(rh, listed.height(), 1080)};
        break;
    case TemplateCategory::Landscape:
        size = landscape_option == CropMark::FullScreen
                   ? reference
                   : QSize(scale(rw, canvas.width(), 1920), scale(rh, canvas.height(), 1080));
        break;
    case TemplateCategory::Portrait:
        size = {scale(canvas.width(), rh, 1080), rh};
        break;
    }
    if (size.width() <= 0 || size.height() <= 0)
        size = reference;
    return size.expandedTo(QSize(1, 1));
}

std::optional<int> picture_source(const QStringList& slot_pictures, const QString& name) {
    std::optional<int> best;
    qsizetype best_length = 0;
    for (int s = 0; s < int(slot_pictures.size()); ++s) {
        const QString& picture = slot_pictures[s];
        if (picture.isEmpty() || !name.contains(picture))
            continue;
        // An exact name outranks every part of a name; "picture_1" inside "picture_10" loses
        // to "picture_10" itself, wherever the slots stand.
        const qsizetype length = picture == name ? name.size() + 1 : picture.size();
        if (length >= best_length) {
            best = s;
            best_length = length;
        }
    }
    return best;
}

bool is_plain_picture_name(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

} // namespace velmora
