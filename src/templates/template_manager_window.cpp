#include "templates/template_manager_window.h"

#include <algorithm>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include "templates/template_manager_pictures.h"

namespace velmora {
namespace {

constexpr int kLeft = 16;
constexpr int kLeftWidth = 540;
constexpr int kRight = kLeft + kLeftWidth + 20;
constexpr int kRightWidth = TemplateManagerWindow::kSize.width() - kRight - 16;
constexpr int kButtonHeight = 32;
constexpr int kSlideSteps = 40;
const QColor kPhotoPanel{43, 48, 64};
constexpr int kPictureColumn = 1;      // "模板": the template's picture before its name
constexpr int kPictureTickMs = 15;     // lets the window draw between two renders
constexpr int kPictureShownRole = Qt::UserRole + 1;

const QStringList kCatalogueColumns = {QStringLiteral("序号"), QStringLiteral("模板"),   QStringLiteral("类型"),
                                       QStringLiteral("横照片"), QStringLiteral("竖照片"), QStringLiteral("时长"),
                                       QStringLiteral("分类")};
const QStringList kUsedColumns = {QStringLiteral("序号"),   QStringLiteral("模板"),   QStringLiteral("类型"),
                                  QStringLiteral("横照片"), QStringLiteral("竖照片"), QStringLiteral("时长"),
                                  QStringLiteral("分类"),   QStringLiteral("照片匹配"), QStringLiteral("编号")};
// The details panel, in reading order (three to a line).
const QStringList kDetailCaptions = {QStringLiteral("序号"),     QStringLiteral("模板行数"), QStringLiteral("模板名称"),
                                     QStringLiteral("模板类型"), QStringLiteral("横照片"),   QStringLiteral("竖照片"),
                                     QStringLiteral("模板时长"), QStringLiteral("已添加横照片"),
                                     QStringLiteral("已添加竖照片")};

QLabel* section_caption(QWidget* parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight: 600; color: #4a5063;"));
    // A fixed box: the application's style sheet (and so the font) may come after this.
    label->setGeometry(QRect(at, QSize(300, 22)));
    return label;
}

QTreeWidget* report_list(QWidget* parent, const QString& name, const QStringList& columns, QRect geometry) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setGeometry(geometry);
    list->header()->setStretchLastSection(true);
    list->header()->setMinimumSectionSize(36);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the columns are sized to fit
    return list;
}

QStringList catalogue_cells(const TemplateListRow& row) {
    return {QString::number(row.xuhao), row.mingcheng, row.type, QString::number(row.hengzhao_jizhang),
            QString::number(row.shuzhao_jizhang), row.duration, row.category};
}

QStringList used_cells(const UsedTemplate& used, int row) {
    return {QString::number(used.catalogue_number), used.template_name, used.kind,
            QString::number(used.landscape_slots), QString::number(used.portrait_slots), used.duration,
            used.category, used.match_state(), QString::number(row + 1)};
}

std::optional<int> current_row(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return list->indexOfTopLevelItem(selected.first());
}

// Covers the window while it is busy (loading the strip, playing the hint animation): takes the
// pointer and the keys so that no command starts, without greying the pictures as disabling
// the window would.
class InputShield : public QWidget {
public:
    explicit InputShield(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("input_shield"));
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::BusyCursor);
        hide();
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
};

// Waits `ms` while the window keeps drawing.
void pause_drawing(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TemplateManagerWindow::TemplateManagerWindow(TemplateManagementServices services, const ThumbnailService& thumbnails,
                                             const WindowSkin& skin, TemplateManagerHooks hooks,
                                             TemplatePictureCache* pictures, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm8"), QStringLiteral("模板管理"), kSize, skin, parent),
      management_(services), ui_(services.ui), thumbnails_(thumbnails), hooks_(std::move(hooks)),
      pictures_(pictures) {
    build_catalogue_panel();
    build_used_panel();
    build_details();
    build_photo_panels();
    start_timer_.setObjectName(QStringLiteral("start_timer"));
    start_timer_.setSingleShot(true);
    start_timer_.setInterval(1);
    connect(&start_timer_, &QTimer::timeout, this, &TemplateManagerWindow::load_strip);
    picture_timer_.setSingleShot(true);
    picture_timer_.setInterval(kPictureTickMs);
    connect(&picture_timer_, &QTimer::timeout, this, &TemplateManagerWindow::show_pictures_in_view);
    hover_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    hover_->setObjectName(QStringLiteral("template_picture"));
    hover_->setStyleSheet(QStringLiteral("background: white; border: 1px solid #8a8f9c; padding: 3px;"));
    for (QTreeWidget* list : {moban_, used_list_}) {
        list->setIconSize(kListPictureSize);
        list->viewport()->installEventFilter(this);
        list->viewport()->setMouseTracking(true);
        connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
            hide_hover();
            picture_timer_.start();
        });
    }
    fill_catalogue();
    shield_ = new InputShield(this);
}

void TemplateManagerWindow::set_busy(bool busy) {
    shield_->setGeometry(rect());
    shield_->setVisible(busy);
    if (busy) {
        shield_->raise();
        shield_->setFocus();
    }
}

QPushButton* TemplateManagerWindow::command(const QString& caption, QRect geometry,
                                            void (TemplateManagerWindow::*action)()) {
    QPushButton* button = add_button(caption, geometry);
    connect(button, &QPushButton::clicked, this, action);
    return button;
}

void TemplateManagerWindow::add_context_menu(
    QTreeWidget* list, const std::vector<std::pair<QString, void (TemplateManagerWindow::*)()>>& entries) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QTreeWidget::customContextMenuRequested, this, [this, list, entries](QPoint at) {
        QMenu menu(this);
        for (const auto& [caption, action] : entries)
            connect(menu.addAction(caption), &QAction::triggered, this, action);
        menu.exec(list->viewport()->mapToGlobal(at));
    });
}

void TemplateManagerWindow::build_catalogue_panel() {
    section_caption(this, QStringLiteral("全部模板"), QPoint(kLeft + 2, 54));
    moban_ = report_list(this, QStringLiteral("moban"), kCatalogueColumns, QRect(kLeft, 76, kLeftWidth, 224));
    for (int c = 0; c < 6; ++c)
        moban_->setColumnWidth(c, QList<int>{44, 150, 72, 54, 54, 68}[c]);
    connect(moban_, &QTreeWidget::itemDoubleClicked, this, &TemplateManagerWindow::use_selected_template);
    add_context_menu(moban_, {{QStringLiteral("使用选中模板"), &TemplateManagerWindow::use_selected_template},
                              {QStringLiteral("预览选中模板"), &TemplateManagerWindow::preview_catalogue_template}});
    const int top = 308;
    command(QStringLiteral("使用选中模板  ↓"), QRect(kLeft, top, 150, kButtonHeight),
            &TemplateManagerWindow::use_selected_template)
        ->setProperty("accent", true);
    command(QStringLiteral("预览模板"), QRect(kLeft + 158, top, 96, kButtonHeight),
            &TemplateManagerWindow::preview_catalogue_template)
        ->setEnabled(bool(hooks_.open_preview));
    // Templates are installed with the program; the catalogue is fixed while it runs.
    QPushButton* external = add_button(QStringLiteral("添加外部模板文件"),
                                       QRect(kLeft + kLeftWidth - 140, top, 140, kButtonHeight));
    external->setEnabled(false);
}

void TemplateManagerWindow::build_used_panel() {
    section_caption(this, QStringLiteral("已经使用的模板"), QPoint(kLeft + 2, 352));
    used_list_ = report_list(this, QStringLiteral("moban_shiyong"), kUsedColumns, QRect(kLeft, 374, kLeftWidth, 176));
    for (int c = 0; c < 8; ++c)
        used_list_->setColumnWidth(c, QList<int>{36, 110, 58, 48, 48, 62, 66, 62}[c]);
    connect(used_list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { select_used(used_list_->indexOfTopLevelItem(item)); });
    add_context_menu(used_list_, {{QStringLiteral("预览模板"), &TemplateManagerWindow::preview_used_template},
                                  {QStringLiteral("删除模板"), &TemplateManagerWindow::delete_selected},
                                  {QStringLiteral("全删模板"), &TemplateManagerWindow::delete_all}});
    const int top = 558;
    command(QStringLiteral("预览"), QRect(kLeft, top, 72, kButtonHeight), &TemplateManagerWindow::preview_used_template)
        ->setEnabled(bool(hooks_.open_preview));
    command(QStringLiteral("删除"), QRect(kLeft + 80, top, 72, kButtonHeight), &TemplateManagerWindow::delete_selected);
    command(QStringLiteral("全删"), QRect(kLeft + 160, top, 72, kButtonHeight), &TemplateManagerWindow::delete_all);
    QPushButton* match = add_button(QStringLiteral("自动匹配照片"), QRect(kLeft + kLeftWidth - 256, top, 124, kButtonHeight));
    match->setEnabled(bool(hooks_.auto_match));
    connect(match, &QPushButton::clicked, this, [this] { run_hook(hooks_.auto_match); });
    QPushButton* combination =
        add_button(QStringLiteral("使用组合模板"), QRect(kLeft + kLeftWidth - 124, top, 124, kButtonHeight));
    combination->setEnabled(bool(hooks_.use_combination));
    connect(combination, &QPushButton::clicked, this, [this] { run_hook(hooks_.use_combination); });
}

void TemplateManagerWindow::build_details() {
    auto* box = new QGroupBox(QStringLiteral("选中模板"), this);
    box->setObjectName(QStringLiteral("details"));
    box->setGeometry(kLeft, 598, kLeftWidth, 108);
    const int column_width = (kLeftWidth - 24) / 3;
    for (int k = 0; k < int(kDetailCaptions.size()); ++k) {
        const int left = 12 + (k % 3) * column_width, top = 24 + (k / 3) * 27;
        auto* label = new QLabel(kDetailCaptions[k], box);
        label->setGeometry(left, top, 84, 24);
        auto* field = new QLineEdit(box);
        field->setObjectName(kDetailCaptions[k]);
        field->setReadOnly(true);
        field->setGeometry(left + 86, top, column_width - 94, 24);
        details_[kDetailCaptions[k]] = field;
    }
}

void TemplateManagerWindow::build_photo_panels() {
    section_caption(this, QStringLiteral("模板所需照片框"), QPoint(kRight + 2, 54));
    frames_ = new SlotFramesView(kPhotoPanel, this);
    frames_->setGeometry(kRight, 76, kRightWidth, 270);
    frames_->dropped = [this](int slot_index, int photo_row) { drop_photo(slot_index, photo_row); };
    auto* drag_hint = new QLabel(QStringLiteral("把下面照片拖动移到上面区域"), this);
    drag_hint->setGeometry(kRight + 2, 352, 200, 24);
    drag_hint->setStyleSheet(QStringLiteral("font-weight: 600; color: #4a5063;"));
    auto* click_hint = new QLabel(QStringLiteral("单击下面的照片即可拖到上面区域"), this);
    click_hint->setGeometry(kRight + 204, 352, 240, 24);
    click_hint->setStyleSheet(QStringLiteral("color: #8a8f9c;"));
    demo_ = new QCheckBox(QStringLiteral("提示演示效果"), this);
    demo_->setObjectName(QStringLiteral("提示演示效果"));
    demo_->setGeometry(kRight + kRightWidth - 120, 352, 120, 24);
    strip_ = new PhotoStripView(kPhotoPanel, this);
    strip_->setGeometry(kRight, 380, kRightWidth, 326);
    strip_->can_pick = [this] { return management_.can_pick_photo(shown_used_); };
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setTextVisible(false);
    progress_->setGeometry(kLeft, kSize.height() - WindowSkin::kBottomHeight - 16, kSize.width() - 2 * kLeft, 6);
}

void TemplateManagerWindow::fill_catalogue() {
    moban_->clear();
    QList<QTreeWidgetItem*> items;
    for (const TemplateListRow& row : management_.catalogue().moban)
        items.append(new QTreeWidgetItem(catalogue_cells(row)));
    moban_->addTopLevelItems(items);
    picture_timer_.start();
}

void TemplateManagerWindow::fill_used_list() {
    used_list_->clear();
    const auto& used = management_.album().used_templates;
    QList<QTreeWidgetItem*> items;
    for (int row = 0; row < int(used.size()); ++row)
        items.append(new QTreeWidgetItem(used_cells(used[std::size_t(row)], row)));
    used_list_->addTopLevelItems(items);
    picture_timer_.start();
    if (shown_used_)
        if (QTreeWidgetItem* item = used_list_->topLevelItem(*shown_used_))
            used_list_->setCurrentItem(item);
}

void TemplateManagerWindow::refresh_used_row(int used_row) {
    QTreeWidgetItem* item = used_list_->topLevelItem(used_row);
    if (!item || used_row >= int(management_.album().used_templates.size()))
        return;
    const QStringList cells = used_cells(management_.album().used_templates[std::size_t(used_row)], used_row);
    for (int c = 0; c < cells.size(); ++c)
        item->setText(c, cells[c]);
}

void TemplateManagerWindow::clear_fields() {
    for (auto& [caption, field] : details_)
        field->clear();
}

QString TemplateManagerWindow::detail(const QString& caption) const {
    const auto found = details_.find(caption);
    return found == details_.end() ? QString() : found->second->text();
}

void TemplateManagerWindow::show_details(int used_row) {
    const UsedTemplate& used = management_.album().used_templates.at(std::size_t(used_row));
    const SlotFill fill = slot_fill(management_.album(), used_row);
    const QStringList values = {QString::number(used.catalogue_number), QString::number(used_row + 1),
                                used.template_name, used.kind, QString::number(used.landscape_slots),
                                QString::number(used.portrait_slots), used.duration,
                                QString::number(fill.landscape), QString::number(fill.portrait)};
    for (int k = 0; k < int(kDetailCaptions.size()); ++k)
        details_[kDetailCaptions[k]]->setText(values[k]);
}

void TemplateManagerWindow::show_slot_photos(int used_row) {
    const std::vector<SlotView> slot_views = slots_of(management_.album(), used_row);
    frames_->show_slots(slot_views);
    const auto& photos = management_.album().photos;
    for (int k = 0; k < int(slot_views.size()); ++k)
        if (const std::optional<int> photo = slot_views[std::size_t(k)].photo_row; photo && *photo < int(photos.size()))
            frames_->show_photo(k, strip_->cell(*photo), photos[std::size_t(*photo)].name);
}

void TemplateManagerWindow::open() {
    clear_fields();
    shown_used_.reset();
    frames_->clear();
    strip_->clear();
    fill_used_list();
    progress_->setRange(0, std::max(1, int(management_.album().photos.size())));
    progress_->setValue(0);
    start_timer_.start();
    picture_timer_.start();
    exec();
    hide_hover();
    // The strip and the frames exist only while the window is open, however it was left.
    start_timer_.stop();
    strip_->clear();
    frames_->clear();
    shown_used_.reset();
}

void TemplateManagerWindow::load_strip() {
    start_timer_.stop();
    set_busy(true);
    const auto& photos = management_.album().photos;
    const QSize fallback = ManagerPictures::kPagePicture - QSize(6, 6);
    for (int row = 0; row < int(photos.size()); ++row) {
        const PhotoEntry& photo = photos[std::size_t(row)];
        const QSize size = ManagerPictures::thumbnail_size(photo.width, photo.height);
        const QImage thumbnail = thumbnails_.thumbnail(photo.location, size.isEmpty() ? fallback : size);
        strip_->add_photo(row, ManagerPictures::photo_cell(thumbnail, row + 1, kPhotoPanel), photo.name,
                          QStringLiteral("第%1张, 照片名称: %2").arg(row + 1).arg(photo.name));
        progress_->setValue(row + 1);
        ui_.pump_events();
    }
    strip_->finish();
    set_busy(false);
    ui_.show_message(photos.empty() ? QStringLiteral("没有添加照片文件,不能完成照片文件与模板文件的匹配！")
                                    : QStringLiteral("加载照片文件完成！"));
}

std::optional<int> TemplateManagerWindow::catalogue_row() const { return current_row(moban_); }
std::optional<int> TemplateManagerWindow::used_row() const { return current_row(used_list_); }

void TemplateManagerWindow::use_selected_template() {
    const std::optional<int> added = management_.use_template(catalogue_row());
    if (!added)
        return;
    if (demo_->isChecked())
        slide(moban_, used_list_, 10);
    // The new template is selected so that photos can be dragged onto its slots at once.
    shown_used_ = added;
    fill_used_list();
    show_details(*added);
    show_slot_photos(*added);
}

void TemplateManagerWindow::select_used(std::optional<int> row) {
    const std::optional<int> chosen = management_.selected_used(row);
    if (!chosen)
        return;
    frames_->clear();
    if (demo_->isChecked())
        slide(used_list_, frames_, 1);
    shown_used_ = chosen;
    show_details(*chosen);
    show_slot_photos(*chosen);
}

void TemplateManagerWindow::drop_photo(int slot_index, int photo_row) {
    if (!shown_used_ || management_.drop_photo(*shown_used_, slot_index, photo_row) != HandPlacement::Placed)
        return;
    frames_->show_photo(slot_index, strip_->cell(photo_row),
                        management_.album().photos[std::size_t(photo_row)].name);
    refresh_used_row(*shown_used_);
    show_details(*shown_used_);
}

void TemplateManagerWindow::delete_selected() {
    if (!management_.delete_used(used_row()))
        return;
    frames_->clear();
    shown_used_.reset();
    fill_used_list();
    clear_fields();
}

void TemplateManagerWindow::delete_all() {
    if (!management_.delete_all())
        return;
    frames_->clear();
    shown_used_.reset();
    fill_used_list();
    clear_fields();
}

void TemplateManagerWindow::preview_catalogue_template() {
    management_.preview_catalogue_template(catalogue_row(), hooks_.open_preview);
}

void TemplateManagerWindow::preview_used_template() {
    management_.preview_used_template(used_row(), hooks_.open_preview);
}

void TemplateManagerWindow::run_hook(const std::function<void()>& hook) {
    if (!hook)
        return;
    hook();
    // The hook may have added templates or filled slots: show the lists as they now stand.
    if (shown_used_ && *shown_used_ >= int(management_.album().used_templates.size()))
        shown_used_.reset();
    fill_used_list();
    if (shown_used_) {
        show_details(*shown_used_);
        show_slot_photos(*shown_used_);
    } else {
        frames_->clear();
        clear_fields();
    }
}

void TemplateManagerWindow::slide(QWidget* from, QWidget* to, int step_ms) {
    auto* list = qobject_cast<QTreeWidget*>(from);
    QTreeWidgetItem* item = list ? list->currentItem() : nullptr;
    if (!item)
        return;
    const QRect row = list->visualItemRect(item);
    auto* ghost = new QLabel(this);
    ghost->setPixmap(list->viewport()->grab(row));
    ghost->setStyleSheet(QStringLiteral("border: 1px solid #e85d75; background: #fbe7eb;"));
    const QPoint start = list->viewport()->mapTo(this, row.topLeft());
    const QPoint end = to->mapTo(this, QPoint(12, 12));
    ghost->setGeometry(QRect(start, row.size()));
    set_busy(true); // nothing else may start while the picture moves
    ghost->show();
    ghost->raise();
    for (int k = 1; k <= kSlideSteps; ++k) {
        ghost->move(start + (end - start) * k / kSlideSteps);
        pause_drawing(step_ms);
    }
    delete ghost;
    set_busy(false);
}

void TemplateManagerWindow::leave() {
    hide_hover();
    reject();
}

std::optional<int> TemplateManagerWindow::template_of(const QTreeWidget* list, const QTreeWidgetItem* item) const {
    const int row = item ? list->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
    if (row < 0)
        return std::nullopt;
    if (list == moban_) {
        const auto& rows = management_.catalogue().moban;
        return row < int(rows.size()) ? std::optional<int>(rows[std::size_t(row)].xuhao) : std::nullopt;
    }
    const auto& used = management_.album().used_templates;
    return row < int(used.size()) ? std::optional<int>(used[std::size_t(row)].catalogue_number) : std::nullopt;
}

std::vector<QTreeWidgetItem*> TemplateManagerWindow::items_in_view(const QTreeWidget* list) const {
    std::vector<QTreeWidgetItem*> items;
    const int bottom = list->viewport()->height();
    for (QTreeWidgetItem* item = list->itemAt(QPoint(1, 1)); item; item = list->itemBelow(item)) {
        if (list->visualItemRect(item).top() >= bottom)
            break;
        items.push_back(item);
    }
    return items;
}

// Sets the item's picture when the cache has it, or renders it when `may_render`; true when
// the item is done with (shown, or the template has no picture).
bool TemplateManagerWindow::show_picture(QTreeWidgetItem* item, int template_row, bool may_render) {
    if (item->data(kPictureColumn, kPictureShownRole).toBool())
        return true;
    if (!pictures_->has_picture(template_row) && !may_render)
        return false;
    const QImage picture = pictures_->picture(template_row);
    if (!picture.isNull())
        item->setIcon(kPictureColumn, QPixmap::fromImage(
                                          picture.scaled(kListPictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    item->setData(kPictureColumn, kPictureShownRole, true);
    return true;
}

// One render per tick at most, so the window stays drawn and answers while pictures come in.
void TemplateManagerWindow::show_pictures_in_view() {
    if (!pictures_ || !isVisible())
        return;
    bool rendered = false;
    for (QTreeWidget* list : {moban_, used_list_}) {
        for (QTreeWidgetItem* item : items_in_view(list)) {
            const std::optional<int> row = template_of(list, item);
            if (!row)
                continue;
            const bool had = pictures_->has_picture(*row);
            if (!show_picture(item, *row, !rendered)) {
                picture_timer_.start();
                return;
            }
            rendered = rendered || !had;
        }
    }
}

bool TemplateManagerWindow::pictures_in_view_shown() const {
    for (const QTreeWidget* list : {moban_, used_list_})
        for (const QTreeWidgetItem* item : items_in_view(list))
            if (template_of(list, item) && !item->data(kPictureColumn, kPictureShownRole).toBool())
                return false;
    return true;
}

void TemplateManagerWindow::show_hover(QTreeWidget* list, QPoint at, QPoint global) {
    const QTreeWidgetItem* item = list->itemAt(at);
    const std::optional<int> row = template_of(list, item);
    const QImage picture = row && pictures_ ? pictures_->picture(*row) : QImage();
    if (picture.isNull()) {
        hide_hover();
        return;
    }
    hover_item_ = item;
    hover_->setPixmap(QPixmap::fromImage(picture));
    hover_->adjustSize();
    QPoint place = global + QPoint(16, 20);
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - hover_->width())));
        if (place.y() + hover_->height() > room.bottom())
            place.setY(global.y() - hover_->height() - 8);
    }
    hover_->move(place);
    hover_->show();
    hover_->raise();
}

void TemplateManagerWindow::hide_hover() {
    hover_item_ = nullptr;
    hover_->hide();
}

bool TemplateManagerWindow::eventFilter(QObject* watched, QEvent* event) {
    QTreeWidget* list = watched == moban_->viewport() ? moban_ : watched == used_list_->viewport() ? used_list_ : nullptr;
    if (!list)
        return FramedWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        show_hover(list, help->pos(), help->globalPos());
        return true;
    }
    case QEvent::MouseMove:
        if (hover_->isVisible() && list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()) != hover_item_)
            hide_hover();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        hide_hover();
        break;
    case QEvent::Resize:
    case QEvent::Show:
        picture_timer_.start();
        break;
    default:
        break;
    }
    return FramedWindow::eventFilter(watched, event);
}

} // namespace velmora
