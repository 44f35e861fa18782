#include "templates/photo_files_window.h"

#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "templates/photo_fit.h"
#include "templates/photo_template_preview.h"

namespace velmora {
namespace {

constexpr int kButtonHeight = 32;
constexpr int kButtonWidth = 96;

} // namespace

PhotoFilesWindow::PhotoFilesWindow(PhotoList& photos, PhotoListWindow& photo_window,
                                   const ThumbnailService& thumbnails, ProgressWindow& progress,
                                   const WindowSkin& skin, PhotoFilesWindowHooks hooks, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm42"), QStringLiteral("照片文件"), kDefaultSize, skin, parent),
      photos_(photos), photo_window_(photo_window), thumbnails_(thumbnails), progress_(progress),
      hooks_(std::move(hooks)), list_(new QListWidget(this)) {
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setToolTip(QStringLiteral("单机鼠标右键弹出操作菜单"));
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (hooks_.show_large)
            hooks_.show_large(list_->row(item));
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &PhotoFilesWindow::preview);
    connect(list_, &QListWidget::customContextMenuRequested, this, [this](QPoint at) {
        QMenu menu(this);
        connect(menu.addAction(QStringLiteral("预览效果")), &QAction::triggered, this, &PhotoFilesWindow::preview);
        connect(menu.addAction(QStringLiteral("删除照片")), &QAction::triggered, this, &PhotoFilesWindow::delete_photo);
        connect(menu.addAction(QStringLiteral("全部删除")), &QAction::triggered, this, &PhotoFilesWindow::delete_all);
        menu.exec(list_->viewport()->mapToGlobal(at));
    });
    build_commands();
    photos_.views().reload_photo_files = [this] { reload(); };
    photos_.views().clear_photo_files = [this] { list_->clear(); };
    layout_contents();
}

void PhotoFilesWindow::build_commands() {
    const auto command = [&](const QString& caption, auto action) {
        QPushButton* b = add_button(caption, QRect(0, 0, kButtonWidth, kButtonHeight));
        connect(b, &QPushButton::clicked, this, action);
        buttons_.push_back(b);
    };
    command(QStringLiteral("放大窗口1"), [this] { resize_to_screen(10); });
    command(QStringLiteral("放大窗口2"), [this] { resize_to_screen(20); });
    command(QStringLiteral("默认窗口"), [this] { resize_centred(kDefaultSize); reload(); });
    command(QStringLiteral("放大照片"), [this] { change_cell(kLargeCell); });
    command(QStringLiteral("缩小照片"), [this] { change_cell(kSmallCell); });
    command(QStringLiteral("预览效果"), [this] { preview(); });
    command(QStringLiteral("删除照片"), [this] { delete_photo(); });
    buttons_.back()->setToolTip(QStringLiteral("删除选中的照片 (Delete)"));
    connect(new QShortcut(QKeySequence::Delete, this), &QShortcut::activated, this, [this] { delete_photo(); });
    command(QStringLiteral("全部删除"), [this] { delete_all(); });
    command(QStringLiteral("返回"), [this] { leave(); });
}

void PhotoFilesWindow::layout_contents() {
    const int bottom_row = height() - WindowSkin::kBottomHeight - 12 - kButtonHeight;
    list_->setGeometry(24, 50, width() - 24 - 25, bottom_row - 20 - 50);
    int left = width() - 25 - int(buttons_.size()) * (kButtonWidth + 8) + 8;
    for (QPushButton* b : buttons_) {
        b->move(left, bottom_row);
        left += kButtonWidth + 8;
    }
}

void PhotoFilesWindow::resizeEvent(QResizeEvent* event) {
    FramedWindow::resizeEvent(event);
    layout_contents();
}

void PhotoFilesWindow::resize_centred(QSize size) {
    resize(size);
    if (const QScreen* s = screen())
        move(s->geometry().center() - rect().center());
}

void PhotoFilesWindow::resize_to_screen(int divisor) {
    const QSize screen_size = screen() ? screen()->size() : kDefaultSize;
    resize_centred(screen_size - screen_size / divisor);
    reload();
}

void PhotoFilesWindow::change_cell(QSize cell) {
    cell_ = cell;
    reload();
}

void PhotoFilesWindow::open() {
    if (photos_.album().photos.empty()) {
        photos_.ui().show_message(QStringLiteral("没有添加照片文件！"));
        return;
    }
    resize_centred(kDefaultSize);
    QTimer::singleShot(0, this, &PhotoFilesWindow::reload);
    exec();
    list_->clear();
}

void PhotoFilesWindow::reload() {
    list_->clear();
    list_->setIconSize(cell_);
    const auto& photos = photos_.album().photos;
    progress_.run(QStringLiteral("加载照片"), [&] {
        const int n = int(photos.size());
        for (int row = 0; row < n; ++row) {
            const PhotoEntry& p = photos[std::size_t(row)];
            const QImage picture = thumbnails_.thumbnail(p.location, fit_photo(p.width, p.height, cell_, 8));
            const QImage cell = framed_picture(picture, cell_, 3, skin().background);
            list_->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(cell)), QFileInfo(p.location).fileName()));
            photos_.ui().show_progress(row + 1, n);
            photos_.ui().pump_events();
        }
    });
}

std::optional<int> PhotoFilesWindow::selected_photo() {
    if (photos_.album().photos.empty()) {
        photos_.ui().show_message(QStringLiteral("没有添加照片文件！"));
        return std::nullopt;
    }
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        photos_.ui().show_message(QStringLiteral("没有选中照片文件！"));
        return std::nullopt;
    }
    return list_->row(selected.first());
}

void PhotoFilesWindow::delete_photo() {
    if (const std::optional<int> row = selected_photo()) {
        photos_.delete_request_photo_files = QLatin1String(kDeleteOneFromPhotoFiles);
        photo_window_.request_delete(row);
    }
}

void PhotoFilesWindow::delete_all() {
    photos_.delete_request_photo_files = QLatin1String(kDeleteAllFromPhotoFiles);
    photo_window_.request_delete(std::nullopt);
}

void PhotoFilesWindow::preview() {
    const std::optional<int> row = selected_photo();
    if (!row)
        return;
    const PhotoTemplatePreview how = photo_template_preview(photos_.album(), *row);
    if (how != PhotoTemplatePreview::None && hooks_.preview_templates)
        hooks_.preview_templates(*row, how == PhotoTemplatePreview::WithAutoStart);
    if (hooks_.show_large)
        hooks_.show_large(*row);
}

void PhotoFilesWindow::leave() {
    photos_.delete_request_photo_files.clear();
    if (photos_.views().reload_main_thumbnails)
        photos_.views().reload_main_thumbnails();
    reject();
}

} // namespace velmora
