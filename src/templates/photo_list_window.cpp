#include "templates/photo_list_window.h"

#include <QHeaderView>
#include <QShortcut>
#include <QShowEvent>

#include "templates/photo_fit.h"

namespace velmora {
namespace {

constexpr int kWidth = 980;
constexpr int kHeight = 620;
constexpr int kPanelLeft = 700;

QStringList row_cells(const PhotoEntry& photo, int row) {
    return {QString::number(row + 1), photo.name, photo.format, QString::number(photo.width),
            QString::number(photo.height), photo.location, photo.fitted ? QStringLiteral("完成") : QString()};
}

} // namespace

PhotoListWindow::PhotoListWindow(PhotoList& photos, SystemSettings& settings, const ThumbnailService& thumbnails,
                                 ProgressWindow& progress, const WindowSkin& skin, PhotoListWindowHooks hooks,
                                 QWidget* parent)
    : FramedWindow(QStringLiteral("TForm3"), QStringLiteral("添加照片"), QSize(kWidth, kHeight), skin, parent),
      photos_(photos), settings_(settings), thumbnails_(thumbnails), progress_(progress), hooks_(std::move(hooks)),
      list_(new QTreeWidget(this)), preview_(new QLabel(this)), hint_(new QLabel(this)) {
    list_->setObjectName(QStringLiteral("daoru_zhaopian"));
    list_->setGeometry(20, 58, kPanelLeft - 40, kHeight - 80);
    list_->setHeaderLabels({QStringLiteral("序号"), QStringLiteral("照片"), QStringLiteral("格式"), QStringLiteral("宽度"),
                            QStringLiteral("高度"), QStringLiteral("位置"), QStringLiteral("套版")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->header()->setStretchLastSection(false);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { show_row(list_->indexOfTopLevelItem(item)); });
    build_details();
    build_commands();
    dispatcher_.setSingleShot(true);
    dispatcher_.setInterval(1);
    connect(&dispatcher_, &QTimer::timeout, this, &PhotoListWindow::dispatch);
    photos_.views().clear_details = [this] { clear_details(); };
}

void PhotoListWindow::build_details() {
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setGeometry(kPanelLeft + 30, 58, kPreviewBox.width(), kPreviewBox.height());
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet(QStringLiteral("background: #dfe2e8;"));
    hint_->setGeometry(kPanelLeft, 230, kWidth - kPanelLeft - 20, 20);
    hint_->setVisible(false);
    const QStringList captions = {QStringLiteral("照片序号"), QStringLiteral("照片名称"), QStringLiteral("照片格式"),
                                  QStringLiteral("照片宽度"), QStringLiteral("照片高度"), QStringLiteral("照片位置")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new QLabel(captions[i], this);
        label->setGeometry(kPanelLeft, 256 + i * 28, 70, 24);
        auto* field = new QLineEdit(this);
        field->setObjectName(captions[i]);
        field->setReadOnly(true);
        field->setGeometry(kPanelLeft + 72, 256 + i * 28, kWidth - kPanelLeft - 92, 24);
        details_.push_back(field);
    }
}

void PhotoListWindow::build_commands() {
    const int left = kPanelLeft, width = (kWidth - kPanelLeft - 30) / 2, top = 432;
    const auto command = [&](const QString& caption, int column, int line, void (PhotoListWindow::*action)()) {
        QPushButton* b = add_button(caption, QRect(left + column * (width + 10), top + line * 42, width, 34));
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    command(QStringLiteral("添加照片"), 0, 0, &PhotoListWindow::add_photos)->setProperty("accent", true);
    QPushButton* remove = command(QStringLiteral("删除照片"), 1, 0, &PhotoListWindow::delete_photo);
    remove->setToolTip(QStringLiteral("删除选中的照片 (Delete)"));
    connect(new QShortcut(QKeySequence::Delete, this), &QShortcut::activated, this, &PhotoListWindow::delete_photo);
    command(QStringLiteral("全部删除"), 0, 1, &PhotoListWindow::delete_all);
    command(QStringLiteral("自动套版"), 1, 1, &PhotoListWindow::auto_fit);
    QPushButton* files = add_button(QStringLiteral("缩略图方式显示照片"), QRect(left, top + 84, 2 * width + 10, 34));
    connect(files, &QPushButton::clicked, this, &PhotoListWindow::open_photo_files);
    QPushButton* back = add_button(QStringLiteral("返   回"), QRect(left, top + 126, 2 * width + 10, 34));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void PhotoListWindow::showEvent(QShowEvent* event) {
    FramedWindow::showEvent(event);
    refresh();
}

void PhotoListWindow::refresh() {
    list_->clear();
    const auto& photos = photos_.album().photos;
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(photos.size()));
    for (int row = 0; row < int(photos.size()); ++row)
        items.append(new QTreeWidgetItem(row_cells(photos[std::size_t(row)], row)));
    list_->addTopLevelItems(items);
    clear_details();
}

std::optional<int> PhotoListWindow::selected_row() const {
    std::optional<int> first;
    for (QTreeWidgetItem* item : list_->selectedItems()) {
        const int row = list_->indexOfTopLevelItem(item);
        if (!first || row < *first)
            first = row;
    }
    return first;
}

void PhotoListWindow::select_row(int row) {
    list_->clearSelection();
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
        list_->setCurrentItem(item);
        item->setSelected(true);
    }
}

void PhotoListWindow::request_delete(std::optional<int> row) {
    if (row)
        select_row(*row);
    dispatcher_.start();
}

void PhotoListWindow::dispatch() {
    dispatcher_.stop();
    photos_.dispatch_delete_requests(selected_row());
    refresh();
}

void PhotoListWindow::add_photos() {
    if (settings_.use_template_combinations() && hooks_.combination_add && hooks_.combination_add()) {
        refresh();
        return;
    }
    add_files(photos_.ui().choose_files(QStringLiteral("添加照片"), {}, photo_file_filter()));
}

void PhotoListWindow::add_files(const QStringList& files) {
    if (hooks_.set_random_mode)
        hooks_.set_random_mode();
    if (files.isEmpty())
        return;
    progress_.run(QStringLiteral("添加照片"), [&] { add_photos_job(photos_, files, hooks_.adding); });
    refresh();
}

void PhotoListWindow::delete_photo() {
    if (photos_.delete_photo(selected_row()))
        refresh();
}

void PhotoListWindow::delete_all() {
    if (photos_.delete_all())
        refresh();
}

void PhotoListWindow::auto_fit() {
    if (!hooks_.auto_fit)
        return;
    progress_.run(QStringLiteral("自动匹配模板"), hooks_.auto_fit);
    refresh();
}

void PhotoListWindow::open_photo_files() {
    if (photos_.album().photos.empty()) {
        photos_.ui().show_message(QStringLiteral("没有添加照片文件！"));
        return;
    }
    if (hooks_.open_photo_files)
        hooks_.open_photo_files();
    refresh();
}

void PhotoListWindow::clear_details() {
    for (QLineEdit* field : details_)
        field->clear();
    preview_->clear();
    hint_->clear();
    hint_->setVisible(false);
}

void PhotoListWindow::show_row(int row) {
    clear_details();
    const auto& photos = photos_.album().photos;
    if (row < 0 || row >= int(photos.size()))
        return;
    const PhotoEntry& photo = photos[std::size_t(row)];
    const QSize fitted = fit_photo(photo.width, photo.height, kPreviewBox, 6);
    const QImage picture = thumbnails_.thumbnail(photo.location, fitted);
    const QImage framed = framed_picture(picture, fitted + QSize(6, 6), 3, Qt::white);
    preview_->setPixmap(QPixmap::fromImage(framed));
    hint_->setText(QStringLiteral("第%1张, 照片名称: %2").arg(row + 1).arg(photo.name));
    hint_->setVisible(true);
    const QStringList cells = row_cells(photo, row);
    for (int i = 0; i < int(details_.size()); ++i)
        details_[std::size_t(i)]->setText(cells[i]);
}

} // namespace velmora
