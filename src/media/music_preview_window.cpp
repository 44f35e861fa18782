#include "media/music_preview_window.h"

#include <QPainter>

namespace velmora {
namespace {

constexpr QSize kSize{719, 556};
constexpr int kPanelTop = 100;

// The black lyric canvas with the preview's current line on it.
class LyricPanel : public QWidget {
public:
    LyricPanel(const MusicPreview& preview, QWidget* parent) : QWidget(parent), preview_(preview) {
        setObjectName(QStringLiteral("lyric_panel"));
        setToolTip(QStringLiteral("屏幕"));
        setFixedSize(MusicPreview::kPanelSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing);
        draw_lyric_line(painter, preview_.line());
    }

private:
    const MusicPreview& preview_;
};

QLabel* caption_label(const QString& text, QRect geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: #6b7080;"));
    return label;
}

QComboBox* selector(const QString& name, QRect geometry, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

} // namespace

MusicPreviewWindow::MusicPreviewWindow(const MusicList& songs, const LyricList& lyrics, TimedLyricTable& lyric_table,
                                       ScriptConversion& scripts, SongPlayer& player, AppState& state, Ui& ui,
                                       const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm15"), QStringLiteral("音乐歌词预览"), kSize, skin, parent),
      preview_(songs, lyrics, lyric_table, scripts, player, state, ui),
      songs_box_(selector(QStringLiteral("yinyue_wenjian"), QRect(88, 58, 260, 30), this)),
      lyrics_box_(selector(QStringLiteral("geci_wenjian"), QRect(438, 58, 261, 30), this)),
      current_time_(new QLabel(QStringLiteral("00:00"), this)), total_time_(new QLabel(QStringLiteral("00:00"), this)),
      panel_(new LyricPanel(preview_, this)) {
    caption_label(QStringLiteral("音乐文件"), QRect(20, 58, 64, 30), this);
    caption_label(QStringLiteral("歌词文件"), QRect(370, 58, 64, 30), this);
    panel_->move(20, kPanelTop);

    const int row = kPanelTop + MusicPreview::kPanelSize.height() + 14;
    current_time_->setObjectName(QStringLiteral("danqian_shijian"));
    current_time_->setGeometry(20, row, 48, 34);
    current_time_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* bar = new QLabel(QStringLiteral("|"), this);
    bar->setGeometry(68, row, 14, 34);
    bar->setAlignment(Qt::AlignCenter);
    total_time_->setObjectName(QStringLiteral("zong_shijian"));
    total_time_->setGeometry(82, row, 48, 34);
    total_time_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QPushButton* play = add_button(QStringLiteral("播放音乐"), QRect(kSize.width() - 380, row, 112, 34));
    play->setProperty("accent", true);
    QPushButton* stop = add_button(QStringLiteral("停止播放"), QRect(kSize.width() - 258, row, 112, 34));
    QPushButton* back = add_button(QStringLiteral("返回"), QRect(kSize.width() - 136, row, 116, 34));
    connect(play, &QPushButton::clicked, this, [this] { preview_.play(); });
    connect(stop, &QPushButton::clicked, this, [this] { preview_.stop(); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    connect(songs_box_, &QComboBox::currentIndexChanged, this, [this](int row) { preview_.choose_song(row); });
    connect(lyrics_box_, &QComboBox::currentIndexChanged, this, [this](int row) { preview_.choose_lyric(row); });
    preview_.on_changed = [this] { show_state(); };
}

void MusicPreviewWindow::open(PreviewMode mode) {
    if (!preview_.open(mode))
        return;
    fill_selectors();
    show_state();
    exec();
}

void MusicPreviewWindow::done(int result) {
    preview_.stop();
    FramedWindow::done(result);
}

// Both selectors list the names with nothing chosen; filling them chooses nothing.
void MusicPreviewWindow::fill_selectors() {
    const struct {
        QComboBox* box;
        QStringList names;
    } selectors[] = {{songs_box_, preview_.song_names()}, {lyrics_box_, preview_.lyric_names()}};
    for (const auto& s : selectors) {
        const QSignalBlocker quiet(s.box);
        s.box->clear();
        s.box->addItems(s.names);
        s.box->setCurrentIndex(-1);
    }
}

void MusicPreviewWindow::show_state() {
    current_time_->setText(preview_.current_time());
    total_time_->setText(preview_.total_time());
    songs_box_->setEnabled(!preview_.playing());
    lyrics_box_->setEnabled(!preview_.playing());
    panel_->update();
}

} // namespace velmora
