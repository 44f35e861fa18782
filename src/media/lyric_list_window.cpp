#include "media/lyric_list_window.h"

#include "media/list_selection_view.h"

#include <QFileInfo>

namespace velmora {
namespace {

constexpr QSize kSize{860, 520};

} // namespace

LyricListWindow::LyricListWindow(LyricList& lyrics, AppState& state, Ui& ui, ProgressWindow& progress,
                                 QString program_folder, const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm5"), QStringLiteral("添加歌词"), kSize, skin, parent), lyrics_(lyrics),
      state_(state), ui_(ui), progress_(progress), program_folder_(std::move(program_folder)),
      list_(new QTreeWidget(this)),
      details_(this, {QStringLiteral("歌词序号"), QStringLiteral("歌词名称"), QStringLiteral("歌词类型"),
                      QStringLiteral("歌词位置")}) {
    list_->setObjectName(QStringLiteral("lyric_list"));
    list_->setHeaderLabels(
        {QStringLiteral("序号"), QStringLiteral("歌词名称"), QStringLiteral("类型"), QStringLiteral("位置")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setGeometry(20, 60, 560, 380);
    list_->setColumnWidth(0, 48);
    list_->setColumnWidth(1, 200);
    list_->setColumnWidth(2, 56);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &LyricListWindow::show_details);

    const struct {
        const char* caption;
        void (LyricListWindow::*action)();
    } commands[] = {
        {"添加歌词", &LyricListWindow::add_lyrics}, {"删除歌词", &LyricListWindow::delete_selected},
        {"全部删除", &LyricListWindow::delete_all}, {"歌词预览", &LyricListWindow::preview},
        {"设置歌词", &LyricListWindow::open_settings},
    };
    int left = 20;
    for (const auto& c : commands) {
        QPushButton* button = add_button(QString::fromUtf8(c.caption), QRect(left, 460, 104, 34));
        connect(button, &QPushButton::clicked, this, c.action);
        if (left == 20)
            button->setProperty("accent", true);
        left += 114;
    }
    QPushButton* back = add_button(QStringLiteral("返   回"), QRect(kSize.width() - 140, 460, 120, 34));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void LyricListWindow::refresh() {
    list_->clear();
    for (int row = 0; row < lyrics_.size(); ++row)
        list_->addTopLevelItem(new QTreeWidgetItem(row_cells(row)));
    details_.clear();
}

void LyricListWindow::add_lyrics() {
    // The sample lyrics are offered at the first opening of the dialog in a run, when they are there.
    QString start;
    if (state_.geci_dakai_1ci == QLatin1String("0")) {
        if (QFileInfo::exists(sample_lyrics_path(program_folder_)))
            start = sample_lyrics_path(program_folder_);
        state_.geci_dakai_1ci = QStringLiteral("1");
    }
    add_files(ui_.choose_files(QStringLiteral("添加歌词"), start, QStringLiteral("添加歌词文件(LRC) (*.lrc *.LRC *.Lrc)")));
}

void LyricListWindow::add_files(const QStringList& files) {
    if (files.isEmpty())
        return;
    progress_.run(QStringLiteral("添加歌词"), [this, files] { lyrics_.add_lyrics(files, ui_); });
    refresh();
}

void LyricListWindow::delete_selected() {
    delete_first_selected(
        *list_, [this](const std::vector<int>& rows) { return lyrics_.delete_selected(rows, ui_); }, [this] { refresh(); });
}

void LyricListWindow::delete_all() {
    if (lyrics_.delete_all(ui_))
        refresh();
}

void LyricListWindow::preview() {
    if (on_preview)
        on_preview();
}

void LyricListWindow::open_settings() {
    if (lyrics_.empty()) {
        ui_.show_message(QStringLiteral("没有添加歌词文件！"));
        return;
    }
    const std::optional<int> row = first_selected_row(*list_);
    if (!row) {
        ui_.show_message(QStringLiteral("没有选中歌词文件！"));
        return;
    }
    if (on_settings)
        on_settings(*row);
}

void LyricListWindow::show_details() {
    const std::optional<int> row = first_selected_row(*list_);
    if (row)
        details_.show(row_cells(*row));
    else
        details_.clear();
}

QStringList LyricListWindow::row_cells(int row) const {
    const LyricEntry& entry = lyrics_.entries()[std::size_t(row)];
    return {QString::number(row + 1), entry.name, entry.format, entry.location};
}

} // namespace velmora
