#include "production/making_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

namespace velmora {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 330;
constexpr int kProductionTickMs = 1;
constexpr int kClosingMs = 2000;
constexpr int kBottom = 258;   // top of the strip with the check boxes and the file name

QProgressBar* add_bar(QWidget* parent, const QString& name, int top) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(24, top, kWidth - 48, 22);
    bar->setTextVisible(false);
    return bar;
}

QLabel* add_caption(QWidget* parent, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(text);
    label->setGeometry(24, top, 90, 20);
    label->setStyleSheet(QStringLiteral("font-weight: 600; color: #4a5063;"));
    return label;
}

QLabel* add_detail(QWidget* parent, const QString& name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(118, top, kWidth - 118 - 24, 20);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: #4a5063;"));
    return label;
}

} // namespace

MakingWindow::MakingWindow(MakingSources sources, AppState& state, Ui& ui, const WindowSkin& skin, QWidget* parent,
                           FrameLayers* layers)
    : FramedWindow(QStringLiteral("TForm25"), QStringLiteral("制作相册"), QSize(kWidth, kHeight), skin, parent),
      sources_(sources), state_(state), ui_(ui), layers_(layers ? *layers : no_layers_),
      busy_(add_bar(this, QStringLiteral("busy"), 78)), main_(add_bar(this, QStringLiteral("progress"), 132)),
      template_caption_(add_caption(this, QStringLiteral("当前模板"), 56)),
      template_detail_(add_detail(this, QStringLiteral("template_progress"), 56)),
      overall_caption_(add_caption(this, QStringLiteral("全部进度"), 110)),
      overall_detail_(add_detail(this, QStringLiteral("overall_progress"), 110)),
      times_(add_detail(this, QStringLiteral("times"), 160)) {
    stop_ = add_button(QStringLiteral("停止制作"), QRect(kWidth / 2 - 60, 198, 120, 34));
    notice_ = new QWidget(this);
    notice_->setObjectName(QStringLiteral("done_notice"));
    notice_->setGeometry(0, 184, kWidth, 66);
    auto* done_caption = new QLabel(QStringLiteral("相册制作完成！文件保存在:"), notice_);
    done_caption->setGeometry(24, 0, 300, 22);
    done_caption->setStyleSheet(QStringLiteral("font-weight: 600; color: #2e7d4f;"));
    done_path_ = new QLineEdit(notice_);
    done_path_->setObjectName(QStringLiteral("done_path"));
    done_path_->setReadOnly(true);
    done_path_->setGeometry(24, 28, 300, 30);
    done_open_ = new QPushButton(QStringLiteral("打开所在文件夹"), notice_);
    done_open_->setGeometry(332, 26, 116, 34);
    done_close_ = new QPushButton(QStringLiteral("关闭"), notice_);
    done_close_->setGeometry(456, 26, 80, 34);
    done_close_->setProperty("accent", true);
    notice_->hide();
    open_when_done_ = new QCheckBox(QStringLiteral("完成后打开保存文件夹"), this);
    open_when_done_->setGeometry(24, kBottom, 180, 24);
    shutdown_ = new QCheckBox(QStringLiteral("完成后自动关机"), this);
    shutdown_->setGeometry(24, kBottom + 28, 140, 24);
    auto* name_caption = new QLabel(QStringLiteral("文件名:"), this);
    name_caption->setGeometry(210, kBottom, 56, 24);
    name_ = new QLineEdit(this);
    name_->setReadOnly(true);
    name_->setGeometry(266, kBottom, 150, 24);
    open_location_ = add_button(QStringLiteral("打开保存位置"), QRect(kWidth - 134, kBottom - 4, 110, 32));
    open_folder_ = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };

    production_timer_.setSingleShot(true);
    production_timer_.setInterval(kProductionTickMs);
    closing_timer_.setSingleShot(true);
    closing_timer_.setInterval(kClosingMs);
    connect(&production_timer_, &QTimer::timeout, this, &MakingWindow::production_tick);
    connect(&closing_timer_, &QTimer::timeout, this, &MakingWindow::closing_tick);
    connect(stop_, &QPushButton::clicked, this, &MakingWindow::stop_pressed);
    connect(open_location_, &QPushButton::clicked, this, &MakingWindow::open_location);
    connect(done_open_, &QPushButton::clicked, this, [this] { open_folder_(QFileInfo(output_path_).absolutePath()); });
    connect(done_close_, &QPushButton::clicked, this, &MakingWindow::finish);
}

MakingWindow::~MakingWindow() = default;

void MakingWindow::make(const MakingRequest& request) {
    set_caption(request.title);
    name_->setText(request.album_name);
    open_when_done_->setChecked(false);
    reset_progress();
    stop_->setEnabled(false);
    closing_timer_.stop();
    output_path_ = request.output_path;
    log_lines_.clear();
    production_timer_.start();
    exec();
}

void MakingWindow::production_tick() {
    if (state_.mcl_caozuo_leixing != QLatin1String("MCL_zhizuo_xiangce")) {
        finish();
        return;
    }
    ProductionCallbacks callbacks;
    callbacks.busy_progress = [this](int value, int maximum) { show_busy(value, maximum); };
    callbacks.main_progress = [this](int value, int maximum) { show_frames(value, maximum); };
    callbacks.conversion_started = [this] {
        converting_ = true;
        stop_->setEnabled(true);
    };
    const ProductionInput input{sources_.root, sources_.album, sources_.catalogue, sources_.music,
                                sources_.settings, sources_.thumbnails, output_path_, state_.kuozhanming_1};
    run_ = std::make_unique<ProductionRun>(input, state_, ui_, callbacks, layers_);
    outcome_ = run_->run();
    log_lines_ = run_->log().lines();
    run_.reset();
    stop_->setEnabled(false);
    converting_ = false;
    // A finished album is announced; a stopped, failed or refused run closes the window at once.
    if (outcome_ == ProductionOutcome::Complete) {
        show_done();
        closing_timer_.start();
    } else {
        finish();
    }
}

void MakingWindow::reset_progress() {
    for (QProgressBar* bar : {busy_, main_})
        bar->setRange(0, 0), bar->setValue(0);
    template_detail_->clear();
    overall_detail_->clear();
    times_->clear();
    notice_->hide();
    stop_->show();
    done_ = false;
    converting_ = false;
    elapsed_.start();
    clock_.start(elapsed_.elapsed());
}

// Before the conversion the busy bar counts the template folders prepared; from then on it
// shows the movie whose frames are being made.
void MakingWindow::show_busy(int value, int maximum) {
    if (converting_)
        return;
    busy_->setRange(0, maximum);
    busy_->setValue(value);
    template_detail_->setText(
        QStringLiteral("准备模板文件  %1%  %2/%3").arg(percent_of(value, maximum)).arg(value).arg(maximum));
}

void MakingWindow::show_frames(int value, int maximum) {
    main_->setRange(0, maximum);
    main_->setValue(value);
    overall_detail_->setText(frames_progress_text(value, maximum));
    clock_.frames_made(value, maximum, elapsed_.elapsed());
    times_->setText(clock_.text());
    if (!converting_ || !run_)
        return;
    const MovieProgress movie = movie_progress(run_->state(), sources_.catalogue);
    busy_->setRange(0, std::max(1, movie.total));
    busy_->setValue(std::min(movie.done, busy_->maximum()));
    template_detail_->setText(movie_progress_text(movie));
}

void MakingWindow::show_done() {
    done_ = true;
    stop_->hide();
    // The closing movie's counter can stop a frame before its count when the album's total is
    // reached: the bar tells that every movie is done rather than that count.
    busy_->setRange(0, 1);
    busy_->setValue(1);
    template_detail_->setText(QStringLiteral("全部模板完成"));
    done_path_->setText(QDir::toNativeSeparators(output_path_));
    done_path_->setCursorPosition(0);
    notice_->show();
    done_close_->setFocus();
}

void MakingWindow::reject() {
    if (done_)
        finish();
}

// The album stays announced until the person closes the window.
void MakingWindow::closing_tick() {
    if (state_.zhizuo_kaishi == QLatin1String("zhizuo_kaishi"))
        open_output_folder();
}

void MakingWindow::stop_pressed() {
    if (run_)
        run_->stop();
    open_output_folder();
    finish();
}

void MakingWindow::open_location() {
    if (state_.zhizuo_zhuan_zhizuo == QLatin1String("wu") && !output_path_.isEmpty())
        open_folder_(QFileInfo(output_path_).absolutePath());
}

void MakingWindow::open_output_folder() {
    if (open_when_done_->isChecked())
        open_folder_(QFileInfo(output_path_).absolutePath());
}

// Closing before the closing timer fired still opens the folder when the box asks for it.
void MakingWindow::finish() {
    if (closing_timer_.isActive()) {
        closing_timer_.stop();
        closing_tick();
    }
    if (isVisible())
        done(QDialog::Accepted);
}

} // namespace velmora
