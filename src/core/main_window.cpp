#include "core/main_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

namespace velmora {
namespace {

constexpr int kListsLeft = 1189 - 9 - 182;
constexpr int kListWidth = 182;

// The short hint of each command button; the shortcut follows where there is one.
QString command_hint(MainCommand command) {
    switch (command) {
    case MainCommand::AddPhotos: return QStringLiteral("添加JPG照片文件 (Ctrl+O)");
    case MainCommand::AddMusic: return QStringLiteral("添加MP3音乐文件");
    case MainCommand::AddLyrics: return QStringLiteral("添加LRC歌词文件");
    case MainCommand::Crop: return QStringLiteral("剪裁照片在模板中显示的部分");
    case MainCommand::TemplateManagement: return QStringLiteral("选择模板并为模板安排照片");
    case MainCommand::BackgroundPictures: return QStringLiteral("更换模板的背景图片和透明度");
    case MainCommand::TextEffects: return QStringLiteral("为相册添加文字特效");
    case MainCommand::PictureEffects: return QStringLiteral("支持多个画面特效");
    case MainCommand::Synchronisation: return QStringLiteral("相册时长随模板或随音乐同步");
    case MainCommand::PictureQuality: return QStringLiteral("选择相册的画面质量");
    case MainCommand::InsertVideo: return QStringLiteral("在相册中插入视频");
    case MainCommand::Settings: return QStringLiteral("照片剪裁、显示和自动特效的设置");
    case MainCommand::MakeVcd:
    case MainCommand::MakeSvcd:
    case MainCommand::MakeDvd:
    case MainCommand::MakeAvi:
    case MainCommand::MakeMov:
    case MainCommand::MakeMp4: return QStringLiteral("制作%1相册").arg(info(command).caption);
    case MainCommand::PreviewAll: return QStringLiteral("预览全部使用模板效果 (空格键)");
    case MainCommand::StopPreview: return QStringLiteral("结束预览 (空格键)");
    case MainCommand::FullScreenWindow: return QStringLiteral("全屏窗口 (F11)");
    case MainCommand::EnlargedWindow: return QStringLiteral("放大窗口");
    case MainCommand::DefaultWindow: return QStringLiteral("默认窗口");
    case MainCommand::Introduction: return QStringLiteral("软件名称、版本和使用的程序库");
    case MainCommand::Exit: return QStringLiteral("关闭软件 (Ctrl+Q)");
    }
    return {};
}

// The local files of a drag; empty when it carries none.
QStringList local_files(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

// A label in the title bar that pops its menu up at its centre.
class MenuLabel : public QLabel {
public:
    MenuLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}
    QMenu* menu = nullptr;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (menu && rect().contains(event->position().toPoint()))
            menu->popup(mapToGlobal(rect().center()));
    }
};

// The dark frame the preview plays in.
class PreviewFrame : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(14, 15, 22));
    }
};

} // namespace

MainWindow::MainWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm2"), QStringLiteral("Velmora"), kDefaultSize, skin, parent) {
    setModal(false);
    build_menus();
    build_title_bar();
    build_preview();
    build_lists();
    build_commands();
    build_bottom_row();
    build_photo_strip();
    build_shortcuts();
    setAcceptDrops(true);
}

QLabel* MainWindow::title_bar_label(const QString& text, const QString& hint, QRect geometry, QMenu* menu) {
    auto* label = new MenuLabel(text, this);
    label->menu = menu;
    label->setToolTip(hint);
    label->setObjectName(hint);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("QLabel { color: #dfe3ec; background: transparent; border-radius: 6px; }"
                                        "QLabel:hover { background: rgba(255,255,255,0.10); }"));
    return label;
}

void MainWindow::build_title_bar() {
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(QPixmap::fromImage(skin().icon));
    icon->setGeometry(7, 8, 32, 32);
    icon->setToolTip(QStringLiteral("按住鼠标左键移动软件位置，双击鼠标左键放大或缩小窗口"));
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    set_title_left(48);
    const int right = kDefaultSize.width() - 56;
    title_bar_label(QStringLiteral("功能菜单"), QStringLiteral("功能菜单"), QRect(right - 196, 9, 80, 26), function_menu_);
    title_bar_label(QStringLiteral("窗口缩放"), QStringLiteral("窗口缩放"), QRect(right - 110, 9, 80, 26),
                    window_size_menu_);
    QPushButton* intro = command_button_at(MainCommand::Introduction, QRect(right - 300, 9, 96, 26));
    intro->setStyleSheet(QStringLiteral("QPushButton { background: transparent; color: #dfe3ec; border: 1px solid rgba(255,255,255,0.25); }"
                                        "QPushButton:hover { border-color: #e85d75; color: #ffffff; }"));
}

void MainWindow::build_preview() {
    preview_frame_ = new PreviewFrame(this);
    preview_frame_->setObjectName(QStringLiteral("preview_frame"));
    preview_frame_->setGeometry(kPreviewFrame);
    startup_area_ = new QWidget(this);
    startup_area_->setObjectName(QStringLiteral("startup_area"));
    startup_area_->setGeometry(kPreviewFrame);
    for (int i = 0; i < 2; ++i) {
        lyric_lines_[std::size_t(i)] = new QLabel(preview_frame_);
        lyric_lines_[std::size_t(i)]->setObjectName(QStringLiteral("lyric_line_%1").arg(i + 1));
        lyric_lines_[std::size_t(i)]->setGeometry(0, 360 + i * 40, 800, 36);
        lyric_lines_[std::size_t(i)]->setAlignment(Qt::AlignCenter);
    }
}

void MainWindow::build_lists() {
    const struct {
        const char* name;
        QStringList columns;
        int height;
    } lists[] = {
        {"daoru_moban", {QStringLiteral("序号"), QStringLiteral("模板"), QStringLiteral("模板时长")}, 149},
        {"daoru_yinyue", {QStringLiteral("序号"), QStringLiteral("音乐"), QStringLiteral("时间长度")}, 152},
        {"daoru_geci", {QStringLiteral("序号"), QStringLiteral("歌词"), QStringLiteral("歌词格式")}, 153},
    };
    int top = 60;
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        auto* list = new QTreeWidget(this);
        list->setObjectName(QString::fromLatin1(lists[i].name));
        list->setHeaderLabels(lists[i].columns);
        list->setRootIsDecorated(false);
        list->setGeometry(kListsLeft, top, kListWidth, lists[i].height);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The number and the length keep the width they need; the name takes what is left of
        // the viewport, so nothing runs under the scroll bar.
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setMinimumSectionSize(24);
        header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(1, QHeaderView::Stretch);
        header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
        lists_[i] = list;
        top += lists[i].height + 2;
    }
}

QPushButton* MainWindow::command_button_at(MainCommand command, QRect geometry) {
    QPushButton* button = add_button(info(command).caption, geometry);
    connect(button, &QPushButton::clicked, this, [this, command] { emit command_requested(command); });
    button->setToolTip(command_hint(command));
    buttons_[command] = button;
    return button;
}

void MainWindow::build_commands() {
    const MainCommand column[] = {
        MainCommand::AddPhotos, MainCommand::AddMusic, MainCommand::AddLyrics, MainCommand::Crop,
        MainCommand::TemplateManagement, MainCommand::BackgroundPictures, MainCommand::TextEffects,
        MainCommand::Synchronisation, MainCommand::PictureQuality, MainCommand::InsertVideo, MainCommand::Settings,
    };
    int top = 62;
    for (MainCommand command : column) {
        QPushButton* button = command_button_at(command, QRect(14, top, 158, 34));
        button->setProperty("command", true);
        if (command == MainCommand::AddPhotos)
            button->setProperty("accent", true);
        top += 38;
    }
    // The picture-effects command has no place in the layout; it stays reachable from the
    // text-effects window.
    const MainCommand formats[] = {MainCommand::MakeVcd, MainCommand::MakeSvcd, MainCommand::MakeDvd, MainCommand::MakeAvi};
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = command_button_at(formats[i], QRect(kListsLeft + i * 46, 522, 44, 28));
        button->setStyleSheet(QStringLiteral("padding: 0;"));
    }
}

void MainWindow::build_bottom_row() {
    QPushButton* play = command_button_at(MainCommand::PreviewAll, QRect(186, 522, 84, 28));
    play->setProperty("accent", true);
    command_button_at(MainCommand::StopPreview, QRect(276, 522, 84, 28));
    time_label_ = new QLabel(this);
    time_label_->setObjectName(QStringLiteral("time"));
    time_label_->setGeometry(372, 522, 190, 28);
    time_label_->setStyleSheet(QStringLiteral("font-family: 'Noto Sans Mono', monospace; color: #4a5063;"));
    set_times(QStringLiteral("00:00:00"), QStringLiteral("00:00:00"));
    int left = 986 - 3 * 62 - 100;
    for (const char* caption : {"放大", "缩小", "默认"}) {
        auto* button = add_button(QString::fromUtf8(caption), QRect(left, 522, 58, 28));
        button->setEnabled(false); // the large photo comes with the photo pages
        left += 62;
    }
    command_button_at(MainCommand::FullScreenWindow, QRect(left, 522, 96, 28));
}

void MainWindow::build_photo_strip() {
    for (int k = 0; k < 9; ++k) {
        auto* box = new QLabel(this);
        box->setObjectName(QStringLiteral("Image%1").arg(k + 1));
        box->setGeometry(14 + 128 * k, 560, 127, 106);
        box->setStyleSheet(QStringLiteral("background: #ffffff; border: 1px solid #dcdfe6; border-radius: 6px;"));
        auto* name = new QLabel(box);
        name->setObjectName(QStringLiteral("name"));
        name->setGeometry(4, 86, 119, 16);
        name->setAlignment(Qt::AlignCenter);
        name->setStyleSheet(QStringLiteral("border: none; color: #6b7080; font-size: 11px;"));
        thumbnail_names_[std::size_t(k)] = name;
    }
    for (int i = 0; i < 2; ++i) {
        auto* arrow = add_button(QString::fromUtf8(i == 0 ? "‹" : "›"), QRect(1166, 560 + i * 53, 10, 53),
                                 QString::fromLatin1(i == 0 ? "page_up" : "page_down"));
        arrow->setStyleSheet(QStringLiteral("padding: 0; border-radius: 3px;"));
        arrow->setEnabled(false); // paging comes with the photo pages
    }
}

void MainWindow::build_menus() {
    function_menu_ = new QMenu(this);
    function_menu_->setObjectName(QStringLiteral("function_menu"));
    const std::vector<std::vector<MainCommand>> groups = {
        {MainCommand::AddPhotos, MainCommand::AddMusic, MainCommand::AddLyrics},
        {MainCommand::Crop, MainCommand::PictureQuality, MainCommand::Synchronisation},
        {MainCommand::TemplateManagement},
        {MainCommand::InsertVideo, MainCommand::TextEffects, MainCommand::BackgroundPictures},
        {MainCommand::MakeVcd, MainCommand::MakeSvcd, MainCommand::MakeDvd, MainCommand::MakeAvi, MainCommand::MakeMov,
         MainCommand::MakeMp4},
        {MainCommand::Exit},
    };
    // The file entries ("新建文件" to "清空数据") carry no function and are left out.
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g > 0)
            function_menu_->addSeparator();
        for (MainCommand command : groups[g])
            function_menu_->addAction(info(command).caption, this, [this, command] { emit command_requested(command); });
    }
    window_size_menu_ = new QMenu(this);
    window_size_menu_->setObjectName(QStringLiteral("window_size_menu"));
    for (MainCommand command : {MainCommand::FullScreenWindow, MainCommand::EnlargedWindow, MainCommand::DefaultWindow})
        window_size_menu_->addAction(info(command).caption, this, [this, command] { emit command_requested(command); });
}

void MainWindow::build_shortcuts() {
    const auto on_key = [this](const QKeySequence& keys, auto act) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, act);
    };
    on_key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { emit command_requested(MainCommand::AddPhotos); });
    on_key(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { emit command_requested(MainCommand::Exit); });
    on_key(QKeySequence(Qt::Key_Space), [this] { emit play_toggle_requested(); });
    on_key(QKeySequence(Qt::Key_F11), [this] { emit full_screen_toggle_requested(); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // The main window is no dialog: Esc does not close it (the close label asks to exit).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    FramedWindow::keyPressEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!local_files(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = local_files(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    emit files_dropped(files);
}

QPushButton* MainWindow::command_button(MainCommand command) const {
    const auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

void MainWindow::set_times(const QString& current, const QString& total) {
    time_label_->setText(current + QStringLiteral(" / ") + total);
}

void MainWindow::clear_lyric_lines() {
    for (QLabel* line : lyric_lines_)
        line->clear();
}

void MainWindow::clear_thumbnail_names() {
    for (QLabel* name : thumbnail_names_)
        name->clear();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit command_requested(MainCommand::Exit);
}

void MainWindow::showEvent(QShowEvent* event) {
    FramedWindow::showEvent(event);
    if (shown_once_)
        return;
    shown_once_ = true;
    emit first_shown();
}

} // namespace velmora
