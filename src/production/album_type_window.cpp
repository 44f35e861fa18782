#include "production/album_type_window.h"

#include <QLabel>

#include "production/album_type_choice.h"

namespace velmora {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 384;
constexpr int kRight = 258;   // left edge of the right-hand column

QLabel* add_caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: #4a5063; font-weight: 600;"));
    return label;
}

QLineEdit* add_field(QWidget* parent, const QString& name, int top, bool read_only) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(read_only);
    field->setGeometry(kRight, top, kWidth - kRight - 24, 30);
    if (read_only)
        field->setStyleSheet(QStringLiteral("background: #f1f2f5; color: #4a5063;"));
    return field;
}

} // namespace

AlbumTypeWindow::AlbumTypeWindow(OutputSettings& settings, Ui& ui, const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm24"), QStringLiteral("选择相册类型"), QSize(kWidth, kHeight), skin, parent),
      settings_(settings), ui_(ui), sizes_(new QListWidget(this)) {
    add_caption(this, QStringLiteral("选择相册输出尺寸"), QRect(24, 58, 210, 22));
    sizes_->setObjectName(QStringLiteral("选择相册输出尺寸"));
    sizes_->setGeometry(24, 84, 210, 234);
    sizes_->setStyleSheet(QStringLiteral("QListWidget::item { padding: 2px 8px; }"));
    connect(sizes_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        choose_output_size(settings_, sizes_->row(item));
        show_choice();
    });
    add_caption(this, QStringLiteral("当前输出相册尺寸"), QRect(kRight, 84, 200, 22));
    chosen_size_ = add_field(this, QStringLiteral("当前输出相册尺寸"), 108, true);
    add_caption(this, QStringLiteral("输出电子相册类型"), QRect(kRight, 148, 200, 22));
    chosen_type_ = add_field(this, QStringLiteral("输出电子相册类型"), 172, true);
    add_caption(this, QStringLiteral("输入相册名称"), QRect(kRight, 212, 200, 22));
    name_ = add_field(this, QStringLiteral("输入相册名称"), 236, false);
    connect(name_, &QLineEdit::returnPressed, this, &AlbumTypeWindow::start);

    QPushButton* defaults = add_button(QStringLiteral("默认"), QRect(24, 332, 100, 34));
    QPushButton* start = add_button(QStringLiteral("开始制作"), QRect(kWidth - 254, 332, 112, 34));
    QPushButton* cancel = add_button(QStringLiteral("取消"), QRect(kWidth - 134, 332, 110, 34));
    start->setProperty("accent", true);
    connect(defaults, &QPushButton::clicked, this, [this] {
        choose_default_size(settings_);
        show_choice();
    });
    connect(start, &QPushButton::clicked, this, &AlbumTypeWindow::start);
    connect(cancel, &QPushButton::clicked, this, &AlbumTypeWindow::reject);
}

void AlbumTypeWindow::open_modal() {
    refresh();
    name_->setFocus();
    exec();
}

void AlbumTypeWindow::refresh() {
    sizes_->clear();
    for (const OutputSize& size : output_sizes(settings_.xiangce_leixing, settings_.tv_standard))
        sizes_->addItem(size.text());
    name_->setText(settings_.xiangce_mingcheng);
    show_choice();
}

void AlbumTypeWindow::show_choice() {
    sizes_->setCurrentRow(chosen_size_index(settings_));
    chosen_size_->setText(settings_.shuchu_chicun);
    chosen_type_->setText(to_text(settings_.shuchu_leixing));
}

void AlbumTypeWindow::start() {
    if (start_making(settings_, name_->text(), ui_))
        accept();
}

void AlbumTypeWindow::reject() {
    cancel_making(settings_);
    FramedWindow::reject();
}

} // namespace velmora
