#include "media/music_list_window.h"

#include "media/list_selection_view.h"

#include <QFileInfo>
#include <QHeaderView>

namespace velmora {
namespace {

constexpr QSize kSize{860, 520};

} // namespace

MusicListWindow::MusicListWindow(MusicList& songs, AppState& state, Ui& ui, ProgressWindow& progress,
                                 QString program_folder, const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm4"), QStringLiteral("添加音乐"), kSize, skin, parent), songs_(songs),
      state_(state), ui_(ui), progress_(progress), program_folder_(std::move(program_folder)),
      list_(new QTreeWidget(this)),
      details_(this, {QStringLiteral("音乐序号"), QStringLiteral("音乐名称"), QStringLiteral("音乐格式"),
                      QStringLiteral("音乐时长"), QStringLiteral("音乐位置")}) {
    list_->setObjectName(QStringLiteral("music_list"));
    list_->setHeaderLabels({QStringLiteral("序号"), QStringLiteral("音乐名称"), QStringLiteral("格式"),
                            QStringLiteral("音乐时长"), QStringLiteral("位置")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setGeometry(20, 60, 560, 380);
    list_->setColumnWidth(0, 48);
    list_->setColumnWidth(1, 180);
    list_->setColumnWidth(2, 56);
    list_->setColumnWidth(3, 84);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &MusicListWindow::show_details);

    const struct {
        const char* caption;
        void (MusicListWindow::*action)();
    } commands[] = {
        {"添加音乐", &MusicListWindow::add_songs},   {"删除音乐", &MusicListWindow::delete_selected},
        {"全部删除", &MusicListWindow::delete_all},  {"音乐预览", &MusicListWindow::preview},
    };
    int left = 20;
    for (const auto& c : commands) {
        QPushButton* button = add_button(QString::fromUtf8(c.caption), QRect(left, 460, 112, 34));
        connect(button, &QPushButton::clicked, this, c.action);
        if (left == 20)
            button->setProperty("accent", true);
        left += 122;
    }
    QPushButton* back = add_button(QStringLiteral("返   回"), QRect(kSize.width() - 140, 460, 120, 34));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void MusicListWindow::refresh() {
    list_->clear();
    for (int row = 0; row < songs_.size(); ++row)
        list_->addTopLevelItem(new QTreeWidgetItem(row_cells(row)));
    details_.clear();
}

void MusicListWindow::add_songs() {
    // The sample song is offered at the first opening of the dialog in a run, when it is there.
    QString start;
    if (state_.yinyue_dakai_1ci == QLatin1String("0")) {
        if (QFileInfo::exists(sample_song_path(program_folder_)))
            start = sample_song_path(program_folder_);
        state_.yinyue_dakai_1ci = QStringLiteral("1");
    }
    add_files(ui_.choose_files(QStringLiteral("添加音乐"), start, QStringLiteral("添加音乐文件(MP3) (*.mp3 *.MP3 *.Mp3)")));
}

void MusicListWindow::add_files(const QStringList& files) {
    if (files.isEmpty())
        return;
    progress_.run(QStringLiteral("添加音乐"), [this, files] { songs_.add_songs(files, probe, ui_); });
    refresh();
}

void MusicListWindow::delete_selected() {
    delete_first_selected(
        *list_, [this](const std::vector<int>& rows) { return songs_.delete_selected(rows, ui_); }, [this] { refresh(); });
}

void MusicListWindow::delete_all() {
    if (songs_.delete_all(ui_))
        refresh();
}

void MusicListWindow::preview() {
    if (songs_.empty()) {
        ui_.show_message(QStringLiteral("没有添加音乐文件！"));
        return;
    }
    if (on_preview)
        on_preview();
}

void MusicListWindow::show_details() {
    const std::optional<int> row = first_selected_row(*list_);
    if (row)
        details_.show(row_cells(*row));
    else
        details_.clear();
}

QStringList MusicListWindow::row_cells(int row) const {
    const MusicEntry& song = songs_.songs()[std::size_t(row)];
    return {QString::number(row + 1), song.name, song.format, song_length_text(song.length_ms), song.location};
}

} // namespace velmora
