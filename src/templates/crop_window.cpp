#include "templates/crop_window.h"

#include <algorithm>
#include <functional>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {
namespace {

constexpr int kWidth = 1120;
constexpr int kHeight = 730;
constexpr QPoint kAreaAt{20, 56};
constexpr int kPanelLeft = 846;
constexpr int kPanelWidth = kWidth - kPanelLeft - 20;

// List columns.
enum Column { Number, Name, Uses, Location, SlotPosition, PhotoRow };

// A widget that paints itself with `paint`; the crop area and the hatched box.
class PaintedWidget : public QWidget {
public:
    PaintedWidget(std::function<void(QPainter&, QRect)> paint, QWidget* parent)
        : QWidget(parent), paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paint_(p, rect());
    }

private:
    std::function<void(QPainter&, QRect)> paint_;
};

void paint_area(QPainter& p, QRect r) { p.fillRect(r, QColor(58, 61, 68)); }

// The box's cross-hatch shows wherever the photo leaves the slot uncovered.
void paint_box(QPainter& p, QRect r) {
    p.fillRect(r, Qt::white);
    p.fillRect(r, QBrush(QColor(150, 156, 168), Qt::DiagCrossPattern));
}

bool same_photo(const SlotRow& a, const SlotRow& b) {
    return a.photo_row ? a.photo_row == b.photo_row : a.photo_location == b.photo_location;
}

int use_count(const Album& album, const SlotRow& slot) {
    return int(std::count_if(album.slot_rows.begin(), album.slot_rows.end(),
                             [&](const SlotRow& other) { return same_photo(slot, other); }));
}

QString photo_name(const Album& album, const SlotRow& slot) {
    if (slot.photo_row && *slot.photo_row >= 0 && *slot.photo_row < int(album.photos.size()))
        return album.photos[std::size_t(*slot.photo_row)].name;
    return QFileInfo(slot.photo_location).completeBaseName();
}

} // namespace

CropWindow::CropWindow(Album& album, Ui& ui, const ThumbnailService& thumbnails, const WindowSkin& skin,
                       QWidget* parent)
    : FramedWindow(QStringLiteral("TForm9"), QStringLiteral("照片剪裁"), QSize(kWidth, kHeight), skin, parent),
      album_(album), ui_(ui), thumbnails_(thumbnails), list_(new QTreeWidget(this)) {
    build_area();
    build_details();
    build_commands();
    list_->setObjectName(QStringLiteral("zhaopian_wenjian"));
    list_->setGeometry(kAreaAt.x(), kAreaAt.y() + kCropAreaSize.height() + 16, kWidth - 40,
                       kHeight - kAreaAt.y() - kCropAreaSize.height() - 36);
    list_->setHeaderLabels({QStringLiteral("序号"), QStringLiteral("照片名称"), QStringLiteral("使用次数"),
                            QStringLiteral("照片位置"), QStringLiteral("标注"), QStringLiteral("行号")});
    list_->setRootIsDecorated(false);
    list_->header()->resizeSection(Location, 520);
    connect(list_, &QTreeWidget::itemClicked, this, [this] { select_current(); });
}

void CropWindow::build_area() {
    area_ = new PaintedWidget(paint_area, this);
    area_->setObjectName(QStringLiteral("crop_area"));
    area_->setGeometry(QRect(kAreaAt, kCropAreaSize));
    box_ = new PaintedWidget(paint_box, area_);
    box_->setObjectName(QStringLiteral("crop_box"));
    photo_ = new QLabel(box_);
    photo_->setObjectName(QStringLiteral("crop_photo"));
    photo_->setCursor(Qt::SizeAllCursor);
    photo_->installEventFilter(this);
    reset_box();
}

void CropWindow::build_details() {
    const QStringList captions = {QStringLiteral("序号："), QStringLiteral("文件名："), QStringLiteral("使用次数："),
                                  QStringLiteral("照片位置：")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setGeometry(kPanelLeft, 60 + i * 32, 76, 26);
        auto* field = new QLineEdit(this);
        field->setObjectName(captions[i]);
        field->setReadOnly(true);
        field->setGeometry(kPanelLeft + 78, 60 + i * 32, kPanelWidth - 78, 26);
        details_.push_back(field);
    }
    full_screen_ = new QRadioButton(QStringLiteral("照片全屏显示"), this);
    fitted_ = new QRadioButton(QStringLiteral("照片适中显示"), this);
    full_screen_->setGeometry(kPanelLeft, 200, kPanelWidth, 26);
    fitted_->setGeometry(kPanelLeft, 230, kPanelWidth, 26);
    connect(full_screen_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            switch_option(CropMark::FullScreen);
    });
    connect(fitted_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            switch_option(CropMark::Fitted);
    });
}

void CropWindow::build_commands() {
    int top = 276;
    const auto command = [&](const QString& caption, void (CropWindow::*action)()) {
        QPushButton* b = add_button(caption, QRect(kPanelLeft, top, kPanelWidth, 34));
        top += 42;
        connect(b, &QPushButton::clicked, this, [this, b, action] { run_command(b, action); });
        row_buttons_.push_back(b);
        return b;
    };
    enlarge_ = command(QStringLiteral("放大相片"), &CropWindow::enlarge);
    shrink_ = command(QStringLiteral("缩小相片"), &CropWindow::shrink);
    command(QStringLiteral("默认大小"), &CropWindow::default_size);
    command(QStringLiteral("保存剪裁"), &CropWindow::save)->setProperty("accent", true);
    QPushButton* cancel = add_button(QStringLiteral("取消"), QRect(kPanelLeft, top, kPanelWidth, 34));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    row_buttons_.push_back(cancel);
}

void CropWindow::open() {
    fill();
    exec();
}

void CropWindow::fill() {
    clear_all();
    QList<QTreeWidgetItem*> items;
    for (int s = 0; s < int(album_.slot_rows.size()); ++s) {
        const SlotRow& slot = album_.slot_rows[std::size_t(s)];
        if (slot.photo_location.isEmpty())
            continue;
        const QString row = slot.photo_row ? QString::number(*slot.photo_row) : QString();
        items.append(new QTreeWidgetItem({QString::number(items.size() + 1), photo_name(album_, slot),
                                          QString::number(use_count(album_, slot)), slot.photo_location,
                                          QString::number(s), row}));
    }
    list_->addTopLevelItems(items);
}

void CropWindow::showEvent(QShowEvent* event) {
    FramedWindow::showEvent(event);
    remembered_.reset();
    options_in_use_ = false;
    full_screen_->setChecked(true);
    full_screen_->hide();
    fitted_->hide();
}

void CropWindow::select_row(int row) {
    list_->clearSelection();
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
        list_->setCurrentItem(item);
        item->setSelected(true);
    }
    select_current();
}

void CropWindow::clear_all() {
    reset_box();
    list_->clear();
    clear_details();
    remembered_.reset();
}

void CropWindow::reset_box() {
    box_->setGeometry(QRect(QPoint(0, 0), kCropAreaSize));
    clear_photo();
}

void CropWindow::select_current() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        clear_photo();
        clear_details();
        remembered_.reset();
        ui_.show_message(QStringLiteral("没有选中照片文件！"));
        return;
    }
    remembered_ = list_->indexOfTopLevelItem(selected.first());
    show_details(*selected.first());
    const SlotRow& slot = current_slot();
    const CropOptions options = crop_options_on_select(current_category(), slot.crop_mark);
    apply_options(options);
    show_view(show_photo(slot, options.selected, crop_box_size(slot)));
}

void CropWindow::show_details(const QTreeWidgetItem& item) {
    details_[0]->setText(item.text(Number));
    details_[1]->setText(item.text(Name));
    details_[2]->setText(item.text(Uses));
    details_[3]->setText(item.text(Location));
}

void CropWindow::clear_details() {
    for (QLineEdit* field : details_)
        field->clear();
}

void CropWindow::show_view(const CropView& view) {
    view_ = view;
    box_->setGeometry(centred_box(view.box));
    if (view.image.width() <= 0 || view.image.height() <= 0) {
        clear_photo();
        return;
    }
    const QImage picture = thumbnails_.thumbnail(current_slot().photo_location, view.image.size());
    photo_->setPixmap(QPixmap::fromImage(picture));
    photo_->setGeometry(view.image);
    photo_->show();
    photo_shown_ = true;
}

void CropWindow::clear_photo() {
    photo_->clear();
    photo_->hide();
    photo_shown_ = false;
    grab_.reset();
}

void CropWindow::apply_options(const CropOptions& options) {
    options_in_use_ = false;
    (options.selected == CropMark::FullScreen ? full_screen_ : fitted_)->setChecked(true);
    full_screen_->setVisible(options.visible);
    fitted_->setVisible(options.visible);
    set_zoom_enabled(options.zoom_enabled);
    options_in_use_ = true;
}

void CropWindow::set_zoom_enabled(bool enabled) {
    zoom_enabled_ = enabled;
    enlarge_->setEnabled(enabled);
    shrink_->setEnabled(enabled);
}

bool CropWindow::commands_allowed() {
    if (album_.photos.empty()) {
        ui_.show_message(QStringLiteral("没有添加照片文件！"));
        return false;
    }
    if (list_->topLevelItemCount() == 0) {
        ui_.show_message(QStringLiteral("添加的照片文件没有与模板文件匹配！"));
        return false;
    }
    if (!remembered_ || !list_->topLevelItem(*remembered_)) {
        ui_.show_message(QStringLiteral("没有选中照片文件！"));
        return false;
    }
    return true;
}

// The other buttons of the row wait while one command runs (its messages are modal).
void CropWindow::run_command(QPushButton* button, void (CropWindow::*command)()) {
    for (QPushButton* other : row_buttons_)
        if (other != button)
            other->setEnabled(false);
    (this->*command)();
    for (QPushButton* b : row_buttons_)
        b->setEnabled(true);
    set_zoom_enabled(zoom_enabled_);
}

void CropWindow::enlarge() {
    if (!commands_allowed() || !zoom_enabled_)
        return;
    const ZoomResult zoomed = zoom_in(current_slot(), view_, current_photo_size());
    if (zoomed.limit != ZoomLimit::None) {
        ui_.show_message(zoom_limit_message(zoomed.limit));
        default_size();
        return;
    }
    show_view(zoomed.view);
}

void CropWindow::shrink() {
    if (!commands_allowed() || !zoom_enabled_)
        return;
    const ZoomResult zoomed = zoom_out(current_slot(), view_, current_photo_size());
    show_view(zoomed.view);
    if (zoomed.limit != ZoomLimit::None) {
        ui_.show_message(zoom_limit_message(zoomed.limit));
        default_size();
    }
}

void CropWindow::default_size() {
    if (commands_allowed())
        select_current();
}

void CropWindow::save() {
    if (!commands_allowed())
        return;
    const CropMark option = fitted_->isChecked() ? CropMark::Fitted : CropMark::FullScreen;
    save_crop(current_slot(), current_category(), option, view_);
    ui_.show_message(QStringLiteral("保存剪裁完成！"));
}

void CropWindow::switch_option(CropMark chosen) {
    if (!options_in_use_ || !commands_allowed())
        return;
    const SlotRow& slot = current_slot();
    const CropOptions options = crop_options_on_switch(current_category(), chosen);
    set_zoom_enabled(options.zoom_enabled);
    show_details(*list_->topLevelItem(*remembered_));
    show_view(show_photo(slot, chosen, crop_box_size(slot, UnsizedPortraitBasis::PortraitFrame)));
    full_screen_->setVisible(options.visible);
    fitted_->setVisible(options.visible);
}

SlotRow& CropWindow::current_slot() {
    const int position = list_->topLevelItem(*remembered_)->text(SlotPosition).toInt();
    return album_.slot_rows.at(std::size_t(position));
}

TemplateCategory CropWindow::current_category() const {
    const int position = list_->topLevelItem(*remembered_)->text(SlotPosition).toInt();
    const int used_row = album_.slot_rows.at(std::size_t(position)).used_row;
    if (used_row < 0 || used_row >= int(album_.used_templates.size()))
        return TemplateCategory::Mixed;
    return category_of(album_.used_templates[std::size_t(used_row)].category);
}

QSize CropWindow::current_photo_size() const {
    const int position = list_->topLevelItem(*remembered_)->text(SlotPosition).toInt();
    const SlotRow& slot = album_.slot_rows.at(std::size_t(position));
    if (!slot.photo_row || *slot.photo_row < 0 || *slot.photo_row >= int(album_.photos.size()))
        return {};
    const PhotoEntry& photo = album_.photos[std::size_t(*slot.photo_row)];
    return {photo.width, photo.height};
}

bool CropWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != photo_)
        return FramedWindow::eventFilter(watched, event);
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return false;
    const QPoint at = mouse->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton)
            grab_ = at;
        return true;
    case QEvent::MouseMove:
        if (grab_ && (mouse->buttons() & Qt::LeftButton))
            drag_to(at);
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton && grab_) {
            grab_.reset();
            drop();
        }
        return true;
    default:
        return false;
    }
}

void CropWindow::drag_to(QPoint pointer_in_photo) {
    if (!photo_shown_ || !zoom_enabled_)
        return;
    const QPoint left_top = photo_->mapToParent(pointer_in_photo) - *grab_;
    photo_->move(left_top);
    view_.image.moveTopLeft(left_top);
}

void CropWindow::drop() {
    if (!photo_shown_ || !zoom_enabled_)
        return;
    const QPoint snapped = snap_photo(view_.image, view_.box);
    photo_->move(snapped);
    view_.image.moveTopLeft(snapped);
}

} // namespace velmora
