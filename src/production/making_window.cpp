#include "production/making_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>

namespace velmora {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 260;
constexpr int kProductionTickMs = 1;
constexpr int kClosingMs = 2000;

QProgressBar* add_bar(QWidget* parent, const QString& name, int top) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(24, top, kWidth - 48, 22);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

MakingWindow::MakingWindow(MakingSources sources, AppState& state, Ui& ui, const WindowSkin& skin, QWidget* parent,
                           FrameLayers* layers)
    : FramedWindow(QStringLiteral("TForm25"), QStringLiteral("制作相册"), QSize(kWidth, kHeight), skin, parent),
      sources_(sources), state_(state), ui_(ui), layers_(layers ? *layers : no_layers_),
      busy_(add_bar(this, QStringLiteral("busy"), 64)), main_(add_bar(this, QStringLiteral("progress"), 98)) {
    stop_ = add_button(QStringLiteral("停止制作"), QRect(kWidth / 2 - 60, 136, 120, 34));
    open_when_done_ = new QCheckBox(QStringLiteral("完成后打开保存文件夹"), this);
    open_when_done_->setGeometry(24, 190, 180, 24);
    shutdown_ = new QCheckBox(QStringLiteral("完成后自动关机"), this);
    shutdown_->setGeometry(24, 218, 140, 24);
    auto* name_caption = new QLabel(QStringLiteral("文件名:"), this);
    name_caption->setGeometry(210, 190, 56, 24);
    name_ = new QLineEdit(this);
    name_->setReadOnly(true);
    name_->setGeometry(266, 190, 150, 24);
    open_location_ = add_button(QStringLiteral("打开保存位置"), QRect(kWidth - 134, 186, 110, 32));
    open_folder_ = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };

    production_timer_.setSingleShot(true);
    production_timer_.setInterval(kProductionTickMs);
    closing_timer_.setSingleShot(true);
    closing_timer_.setInterval(kClosingMs);
    connect(&production_timer_, &QTimer::timeout, this, &MakingWindow::production_tick);
    connect(&closing_timer_, &QTimer::timeout, this, &MakingWindow::closing_tick);
    connect(stop_, &QPushButton::clicked, this, &MakingWindow::stop_pressed);
    connect(open_location_, &QPushButton::clicked, this, &MakingWindow::open_location);
}

MakingWindow::~MakingWindow() = default;

void MakingWindow::make(const MakingRequest& request) {
    set_caption(request.title);
    name_->setText(request.album_name);
    open_when_done_->setChecked(false);
    for (QProgressBar* bar : {busy_, main_})
        bar->setRange(0, 0), bar->setValue(0);
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
    callbacks.busy_progress = [this](int value, int maximum) { busy_->setRange(0, maximum), busy_->setValue(value); };
    callbacks.main_progress = [this](int value, int maximum) { main_->setRange(0, maximum), main_->setValue(value); };
    callbacks.conversion_started = [this] { stop_->setEnabled(true); };
    const ProductionInput input{sources_.root, sources_.album, sources_.catalogue, sources_.music,
                                sources_.settings, sources_.thumbnails, output_path_, state_.kuozhanming_1};
    run_ = std::make_unique<ProductionRun>(input, state_, ui_, callbacks, layers_);
    outcome_ = run_->run();
    log_lines_ = run_->log().lines();
    run_.reset();
    stop_->setEnabled(false);
    // A finished album closes after a short pause; a stopped, failed or refused run at once.
    if (outcome_ == ProductionOutcome::Complete)
        closing_timer_.start();
    else
        finish();
}

void MakingWindow::closing_tick() {
    if (state_.zhizuo_kaishi == QLatin1String("zhizuo_kaishi"))
        open_output_folder();
    finish();
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

void MakingWindow::finish() {
    closing_timer_.stop();
    if (isVisible())
        done(QDialog::Accepted);
}

} // namespace velmora
