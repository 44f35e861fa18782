#include "media/lyric_settings_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include "core/data_error.h"
#include "media/lyric_colours.h"
#include "media/lyric_fonts.h"
#include "media/lyric_style.h"

namespace velmora {
namespace {

constexpr QSize kSize{1000, 552};
constexpr QSize kCanvas{LyricSettingsRow::kCanvasWidth, LyricSettingsRow::kCanvasHeight};
constexpr int kColumnLeft = 720;
constexpr int kColourNameRole = Qt::UserRole;
constexpr int kColourValueRole = Qt::UserRole + 1;

QString sample_line() { return QStringLiteral("此处显示歌词内容"); }

// The black lyric canvas. It paints the sample line itself, with the same drawing call the
// album uses, so glyphs that overhang the line's box (italics) show as they will there.
class LyricCanvasView : public QWidget {
public:
    explicit LyricCanvasView(QWidget* parent) : QWidget(parent) {}
    void set_line(LyricLine line) {
        line_ = std::move(line);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.setRenderHint(QPainter::TextAntialiasing);
        draw_lyric_line(painter, line_);
    }

private:
    LyricLine line_;
};

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x9a, 0x9f, 0xab));
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

// Selects the entry showing `text`; a stored value the list lacks is added first, so it is
// neither lost nor replaced by another.
void select_text(QComboBox* list, const QString& text) {
    int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) {
        list->addItem(text);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

QComboBox* add_list(QWidget* parent, const QString& caption, int top) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(kColumnLeft, top, 72, 30);
    auto* list = new QComboBox(parent);
    list->setObjectName(caption);
    list->setToolTip(caption);
    list->setGeometry(kColumnLeft + 76, top, kSize.width() - kColumnLeft - 96, 30);
    return list;
}

} // namespace

LyricSettingsWindow::LyricSettingsWindow(LyricList& lyrics, ScriptConversion& scripts, Ui& ui,
                                         const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm23"), QStringLiteral("歌词设置"), kSize, skin, parent), lyrics_(lyrics),
      script_conversion_(scripts), ui_(ui) {
    // Controls that the default position switches off must look switched off.
    setStyleSheet(QStringLiteral("QComboBox:disabled, QRadioButton:disabled { color: #a3a8b4; }"));
    panel_ = new LyricCanvasView(this);
    panel_->setObjectName(QStringLiteral("lyric_canvas"));
    panel_->setToolTip(QStringLiteral("屏幕"));
    panel_->setGeometry(QRect(QPoint(20, 58), kCanvas));
    line_view_ = new QWidget(panel_);
    line_view_->setObjectName(QStringLiteral("lyric_line"));
    line_view_->setToolTip(QStringLiteral("歌词"));

    build_position_controls();
    build_lists();

    QPushButton* save_button = add_button(QStringLiteral("保存设置"), QRect(kColumnLeft + 20, 498, 116, 34));
    save_button->setProperty("accent", true);
    connect(save_button, &QPushButton::clicked, this, &LyricSettingsWindow::save);
    QPushButton* cancel = add_button(QStringLiteral("取消"), QRect(kColumnLeft + 144, 498, 116, 34));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LyricSettingsWindow::build_position_controls() {
    auto* mode_box = new QGroupBox(QStringLiteral("显示位置"), this);
    mode_box->setGeometry(kColumnLeft, 50, kSize.width() - kColumnLeft - 20, 66);
    default_position_ = new QRadioButton(QStringLiteral("默认显示"), mode_box);
    custom_position_ = new QRadioButton(QStringLiteral("自定义显示"), mode_box);
    default_position_->setGeometry(14, 28, 110, 26);
    custom_position_->setGeometry(130, 28, 120, 26);
    connect(default_position_, &QRadioButton::clicked, this, &LyricSettingsWindow::choose_default_position);
    connect(custom_position_, &QRadioButton::clicked, this, &LyricSettingsWindow::choose_custom_position);

    auto* custom_box = new QGroupBox(QStringLiteral("自定义位置"), this);
    custom_box->setGeometry(kColumnLeft, 124, kSize.width() - kColumnLeft - 20, 66);
    custom_left_ = new QRadioButton(QStringLiteral("自定义"), custom_box);
    centred_ = new QRadioButton(QStringLiteral("居中显示"), custom_box);
    custom_left_->setGeometry(14, 28, 110, 26);
    centred_->setGeometry(130, 28, 120, 26);
    connect(custom_left_, &QRadioButton::clicked, this, [this] { choose_centring(false); });
    connect(centred_, &QRadioButton::clicked, this, [this] { choose_centring(true); });

    const auto add_slider = [this](const QString& caption, int left, int maximum) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(left, 462, 64, 26);
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(caption);
        slider->setRange(0, maximum);
        slider->setGeometry(left + 66, 462, 262, 26);
        return slider;
    };
    slider_x_ = add_slider(QStringLiteral("左右位置"), 20, kCanvas.width());
    slider_y_ = add_slider(QStringLiteral("上下位置"), 370, kCanvas.height());
    connect(slider_x_, &QSlider::valueChanged, this, [this](int left) {
        if (showing_)
            return;
        // Moving the line sideways means a left of its own: centring gives way.
        if (choice_.centred) {
            choice_.centred = false;
            custom_left_->setChecked(true);
        }
        choice_.line_position.setX(left);
        redraw_line();
    });
    connect(slider_y_, &QSlider::valueChanged, this, [this](int top) {
        if (showing_)
            return;
        choice_.line_position.setY(top);
        redraw_line();
    });
}

void LyricSettingsWindow::build_lists() {
    colours_ = add_list(this, QStringLiteral("歌词颜色"), 206);
    fonts_ = add_list(this, QStringLiteral("歌词字体"), 250);
    sizes_ = add_list(this, QStringLiteral("歌词大小"), 294);
    styles_ = add_list(this, QStringLiteral("歌词字形"), 338);
    scripts_ = add_list(this, QStringLiteral("简体繁体"), 382);
    fonts_->setMaxVisibleItems(16);
    for (QComboBox* list : {colours_, fonts_, sizes_, styles_, scripts_})
        connect(list, &QComboBox::currentIndexChanged, this, &LyricSettingsWindow::list_changed);
}

void LyricSettingsWindow::open_row(int row) {
    load(row);
    exec();
}

void LyricSettingsWindow::load(int row) {
    base_ = lyrics_.settings_row(row);
    row_ = row;
    fill_lists();
    choice_ = choice_from_row(base_, sample_text_for(base_.script));
    show_choice();
    redraw_line();
}

void LyricSettingsWindow::fill_lists() {
    const QSignalBlocker block_colours(colours_), block_fonts(fonts_), block_sizes(sizes_), block_styles(styles_),
        block_scripts(scripts_);
    colours_->clear();
    for (const NamedLyricColour& entry : lyric_colours()) {
        colours_->addItem(swatch(entry.colour), entry.label);
        colours_->setItemData(colours_->count() - 1, entry.name, kColourNameRole);
        colours_->setItemData(colours_->count() - 1, colour_value_text(entry.colour), kColourValueRole);
    }
    fonts_->clear();
    fonts_->addItems(lyric_font_names());
    sizes_->clear();
    sizes_->addItems(lyric_size_entries());
    styles_->clear();
    styles_->addItems(lyric_style_entries());
    scripts_->clear();
    scripts_->addItems(lyric_script_entries());
}

void LyricSettingsWindow::show_choice() {
    showing_ = true;
    default_position_->setChecked(!choice_.custom_position);
    custom_position_->setChecked(choice_.custom_position);
    custom_left_->setChecked(!choice_.centred);
    centred_->setChecked(choice_.centred);
    set_custom_controls_enabled(choice_.custom_position);

    int colour = colours_->findData(choice_.colour_name, kColourNameRole);
    if (colour < 0) {
        // A colour the chooser does not name is kept under its stored name and value.
        colours_->addItem(swatch(colour_from_value(choice_.colour_value)), choice_.colour_name);
        colour = colours_->count() - 1;
        colours_->setItemData(colour, choice_.colour_name, kColourNameRole);
        colours_->setItemData(colour, choice_.colour_value, kColourValueRole);
    }
    colours_->setCurrentIndex(colour);
    select_text(fonts_, choice_.font);
    select_text(sizes_, choice_.size);
    select_text(styles_, choice_.style);
    select_text(scripts_, choice_.script);
    showing_ = false;
}

void LyricSettingsWindow::set_custom_controls_enabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{slider_x_, slider_y_, colours_, fonts_, sizes_, styles_,
                                                            scripts_, custom_left_, centred_})
        control->setEnabled(enabled);
}

void LyricSettingsWindow::choose_default_position() {
    choice_.custom_position = false;
    choice_.centred = false;
    custom_left_->setChecked(true);
    set_custom_controls_enabled(false);
    redraw_line();
}

void LyricSettingsWindow::choose_custom_position() {
    choice_.custom_position = true;
    choice_.centred = base_.custom_centring == QLatin1String("zidingyi_juzhong");
    (choice_.centred ? centred_ : custom_left_)->setChecked(true);
    set_custom_controls_enabled(true);
    redraw_line();
}

void LyricSettingsWindow::choose_centring(bool centred) {
    choice_.centred = centred;
    redraw_line();
}

void LyricSettingsWindow::list_changed() {
    if (showing_)
        return;
    choice_.colour_name = colours_->currentData(kColourNameRole).toString();
    choice_.colour_value = colours_->currentData(kColourValueRole).toString();
    choice_.font = fonts_->currentText();
    choice_.size = sizes_->currentText();
    choice_.style = styles_->currentText();
    choice_.script = scripts_->currentText();
    redraw_line();
}

// The line is placed from the row the choices would store, so it stands exactly where the
// album will draw it; the sliders follow the line.
void LyricSettingsWindow::redraw_line() {
    const LyricLine line = place_lyric_line(row_from_choice(choice_, base_), kCanvas, sample_text());
    choice_.line_position = line.top_left;
    static_cast<LyricCanvasView*>(panel_)->set_line(line);
    line_view_->setGeometry(QRect(line.top_left, QSize(line.width, line.height)));
    const QSignalBlocker block_x(slider_x_), block_y(slider_y_);
    slider_x_->setValue(line.top_left.x());
    slider_y_->setValue(line.top_left.y());
}

QString LyricSettingsWindow::sample_text() { return sample_text_for(row_from_choice(choice_, base_).script); }

QString LyricSettingsWindow::sample_text_for(const QString& script_code) {
    const std::optional<ChineseScript> script = script_from_setting(script_code);
    if (!script)
        return sample_line();
    try {
        return script_conversion_.convert(sample_line(), *script);
    } catch (const DataError& e) {
        ui_.show_message(e.message());
        return sample_line();
    }
}

void LyricSettingsWindow::save() {
    lyrics_.store_settings(row_, row_from_choice(choice_, base_));
    ui_.show_message(QStringLiteral("保存设置完成！"));
    accept();
}

} // namespace velmora
