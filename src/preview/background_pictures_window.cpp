#include "preview/background_pictures_window.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <iterator>

#include "core/data_error.h"
#include "core/preview_guard.h"

namespace velmora {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 590;
constexpr int kPanelLeft = 560;
constexpr int kPanelWidth = kWidth - kPanelLeft - 20;
constexpr int kBoxTop = 80;

QLabel* add_caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: #4a5063; font-weight: 600;"));
    return label;
}

} // namespace

BackgroundPicturesWindow::BackgroundPicturesWindow(Album& album, AppState& state, Ui& ui,
                                                   const ThumbnailService& thumbnails, const DataRoot& root,
                                                   const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm21"), QStringLiteral("背景图片"), QSize(kWidth, kHeight), skin, parent),
      state_(state), ui_(ui), thumbnails_(thumbnails), pictures_(album, ui, thumbnails), demo_(root),
      list_(new QTreeWidget(this)) {
    list_->setObjectName(QStringLiteral("moban_beijing"));
    list_->setGeometry(20, 58, kPanelLeft - 40, kHeight - 78);
    list_->setHeaderLabels({QStringLiteral("编号"), QStringLiteral("名称"), QStringLiteral("类型"), QStringLiteral("分类"),
                            QStringLiteral("图片名称"), QStringLiteral("图片类型"), QStringLiteral("宽度"),
                            QStringLiteral("高度"), QStringLiteral("图片位置"), QStringLiteral("透明度")});
    list_->setRootIsDecorated(false);
    list_->header()->setStretchLastSection(false);
    const int widths[] = {40, 70, 68, 68, 84, 68, 48, 48, 180, 52};
    for (int column = 0; column < int(std::size(widths)); ++column)
        list_->setColumnWidth(column, widths[column]);
    connect(list_, &QTreeWidget::itemClicked, this, &BackgroundPicturesWindow::click_row);
    build_picture_panel();
    build_controls();
}

BackgroundPicturesWindow::~BackgroundPicturesWindow() {
    view_->set_player(nullptr);
}

void BackgroundPicturesWindow::build_picture_panel() {
    add_caption(this, QStringLiteral("背景图片"), QRect(kPanelLeft, 54, 201, 22));
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setGeometry(kPanelLeft, kBoxTop, kBackgroundBox.width(), kBackgroundBox.height());
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setStyleSheet(QStringLiteral("background: #dfe2e8;"));

    const int demo_left = kPanelLeft + kPanelWidth - BackgroundDemo::kPlayerSize.width();
    add_caption(this, QStringLiteral("透明度效果"), QRect(demo_left, 54, 207, 22));
    demo_box_ = new QWidget(this);
    demo_box_->setObjectName(QStringLiteral("demonstration_box"));
    demo_box_->setGeometry(demo_left, kBoxTop, BackgroundDemo::kPlayerSize.width(), 117);
    demo_box_->setStyleSheet(QStringLiteral("background: #dfe2e8;"));
    view_ = new TemplatePlayerView(demo_box_);
    view_->setObjectName(QString::fromLatin1(BackgroundDemo::kPlayerName));
    view_->setGeometry(QRect(QPoint(0, 0), BackgroundDemo::kPlayerSize));
    view_->hide();

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setGeometry(kPanelLeft, kBoxTop + 140, kPanelWidth, 20);
    const QStringList captions = {QStringLiteral("图片编号"), QStringLiteral("图片名称"), QStringLiteral("图片格式"),
                                  QStringLiteral("图片宽度"), QStringLiteral("图片高度"), QStringLiteral("图片位置")};
    for (int i = 0; i < captions.size(); ++i) {
        const int top = kBoxTop + 166 + i * 28;
        auto* label = new QLabel(captions[i], this);
        label->setGeometry(kPanelLeft, top, 70, 24);
        auto* field = new QLineEdit(this);
        field->setObjectName(captions[i]);
        field->setReadOnly(true);
        field->setGeometry(kPanelLeft + 72, top, kPanelWidth - 72, 24);
        details_.push_back(field);
    }
}

void BackgroundPicturesWindow::build_controls() {
    const int top = kBoxTop + 340;
    add_caption(this, QStringLiteral("透明度"), QRect(kPanelLeft, top, 60, 24));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("transparency"));
    slider_->setRange(0, 100);
    slider_->setToolTip(QStringLiteral("左右移动设置背景图片的透明度"));
    slider_->setGeometry(kPanelLeft + 60, top, kPanelWidth - 110, 24);
    slider_->setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal { height: 4px; background: #dfe2e8; border-radius: 2px; }"
        "QSlider::sub-page:horizontal { background: #e85d75; border-radius: 2px; }"
        "QSlider::handle:horizontal { background: #ffffff; border: 2px solid #e85d75; width: 12px;"
        " margin: -6px 0; border-radius: 8px; }"));
    slider_value_ = new QLabel(QStringLiteral("0"), this);
    slider_value_->setGeometry(kPanelLeft + kPanelWidth - 44, top, 44, 24);
    slider_value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        slider_value_->setText(QString::number(value));
        if (!slider_->isSliderDown())   // keys and clicks beside the handle end a move at once
            slider_released();
    });
    connect(slider_, &QSlider::sliderReleased, this, &BackgroundPicturesWindow::slider_released);
    all_ = new QCheckBox(QStringLiteral("背景图片全部设置为一样透明度"), this);
    all_->setGeometry(kPanelLeft, top + 32, kPanelWidth, 24);

    const int width = (kPanelWidth - 10) / 2;
    const auto button = [&](const QString& caption, int column, int line, void (BackgroundPicturesWindow::*action)()) {
        QPushButton* b = add_button(caption, QRect(kPanelLeft + column * (width + 10), top + 70 + line * 42, width, 34));
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    button(QStringLiteral("保存设置"), 0, 0, &BackgroundPicturesWindow::save)->setProperty("accent", true);
    button(QStringLiteral("默认设置"), 1, 0, &BackgroundPicturesWindow::restore_default);
    button(QStringLiteral("更换背景图片"), 0, 1, &BackgroundPicturesWindow::replace_picture);
    QPushButton* back = add_button(QStringLiteral("返  回"), QRect(kPanelLeft + width + 10, top + 112, width, 34));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void BackgroundPicturesWindow::open_modal() {
    if (refused_while_previewing(state_, ui_))
        return;
    clear_picture();
    try {
        demo_.prepare_movies();
        demo_ready_ = true;
    } catch (const DataError&) {
        demo_ready_ = false;   // the window works without its demonstration
    }
    refresh_list();
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(0);
    }
    slider_value_->setText(QStringLiteral("0"));
    all_->setChecked(false);
    demo_.create_player();
    view_->set_player(demo_.player());
    view_->hide();
    exec();
    view_->set_player(nullptr);
    demo_.free_player();
}

void BackgroundPicturesWindow::refresh_list() {
    list_->clear();
    const auto& rows = pictures_.rows();
    QList<QTreeWidgetItem*> items;
    for (int row = 0; row < int(rows.size()); ++row)
        items.append(new QTreeWidgetItem(background_cells(rows[std::size_t(row)], row)));
    list_->addTopLevelItems(items);
    list_->clearSelection();
    list_->setCurrentItem(nullptr);
}

std::optional<int> BackgroundPicturesWindow::selected_row() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return list_->indexOfTopLevelItem(selected.front());
}

void BackgroundPicturesWindow::select_row(int row) {
    list_->clearSelection();
    if (QTreeWidgetItem* item = list_->topLevelItem(row)) {
        list_->setCurrentItem(item);
        item->setSelected(true);
    }
}

void BackgroundPicturesWindow::click_row() {
    const std::optional<int> row = selected_row();
    if (!pictures_.may_show(row))
        return;
    show_picture(*row);
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(pictures_.rows()[std::size_t(*row)].transparency);
    }
    slider_value_->setText(QString::number(slider_->value()));
    show_demonstration(*row);
}

void BackgroundPicturesWindow::clear_picture() {
    picture_->clear();
    picture_->setToolTip({});
    hint_->clear();
    for (QLineEdit* field : details_)
        field->clear();
}

void BackgroundPicturesWindow::show_picture(int row) {
    const BackgroundRow& background = pictures_.rows()[std::size_t(row)];
    picture_->setPixmap(QPixmap::fromImage(background_box_picture(background, thumbnails_)));
    hint_->setText(background_hint(background, row));
    picture_->setToolTip(hint_->text());
    const QStringList cells = background_details(background, row);
    for (int i = 0; i < int(details_.size()); ++i)
        details_[std::size_t(i)]->setText(cells[i]);
}

void BackgroundPicturesWindow::show_demonstration(int row) {
    if (!demo_ready_)
        return;
    const BackgroundRow& background = pictures_.rows()[std::size_t(row)];
    try {
        demo_.write_picture(background, thumbnails_);
        demo_.show(background.transparency);
    } catch (const DataError&) {
        view_->hide();   // the picture box still shows the picture
        return;
    }
    view_->set_player(demo_.player());
    view_->show();
}

void BackgroundPicturesWindow::slider_released() {
    if (!pictures_.may_change(selected_row()))
        return;
    demo_.set_transparency(slider_->value());
}

void BackgroundPicturesWindow::save() {
    const std::optional<int> row = selected_row();
    if (pictures_.save(row, slider_->value(), all_->isChecked())) {
        refresh_list();
        select_row(*row);
    }
}

void BackgroundPicturesWindow::restore_default() {
    const std::optional<int> row = selected_row();
    if (!pictures_.restore_default(row, all_->isChecked()))
        return;
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(0);
    }
    slider_value_->setText(QStringLiteral("0"));
    demo_.stop();
    view_->hide();
    all_->setChecked(false);
    refresh_list();
    select_row(*row);
}

void BackgroundPicturesWindow::replace_picture() {
    const std::optional<int> row = selected_row();
    if (pictures_.replace_picture(row) != ReplaceOutcome::Replaced)
        return;
    refresh_list();
    select_row(*row);
    // The box, the details and the demonstration show the new picture at once, as a click on
    // the row would; none of them may keep the old one.
    click_row();
}

} // namespace velmora
