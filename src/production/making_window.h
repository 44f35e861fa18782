#pragma once

#include "core/app_state.h"
#include "core/framed_window.h"
#include "core/ui.h"
#include "production/format_command.h"
#include "production/frame_layers.h"
#include "production/making_progress.h"
#include "production/production_run.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <functional>
#include <memory>

namespace velmora {

// What every album is made from; the references outlive the window.
struct MakingSources {
    const DataRoot& root;
    const Album& album;
    const TemplateCatalogue& catalogue;
    const MusicList& music;
    const OutputSettings& settings;
    const ThumbnailService& thumbnails;
};

// "制作…相册" (TForm25): shows one production run with its two bars, "当前模板" (the movie
// whose frames are being made) and "全部进度" (the album), each with its percentage and
// frames, and the time taken and left; lets the person stop it. A stopped or failed run
// closes the window; a finished album is announced in it with the file's path and a button
// that opens its folder, and the window stays until the person closes it. The run itself
// lives in ProductionRun; this window only starts it, shows its progress and passes the
// buttons on. Created once; the format command opens it through make().
class MakingWindow : public FramedWindow {
    Q_OBJECT
public:
    // `layers` (optional, outliving the window) draws lyrics and effects over the frames.
    MakingWindow(MakingSources sources, AppState& state, Ui& ui, const WindowSkin& skin, QWidget* parent = nullptr,
                 FrameLayers* layers = nullptr);
    ~MakingWindow() override;

    // The format command's hook: prepares the window for `request`, starts the production
    // timer and shows the window modally; returns when it closed.
    void make(const MakingRequest& request);
    // How the last run ended.
    ProductionOutcome last_outcome() const { return outcome_; }
    // The last run's conversion log (empty before the first run).
    QStringList conversion_log() const { return log_lines_; }

    // Opens a folder in the file browser; QDesktopServices by default, replaceable for tests.
    void set_folder_opener(std::function<void(const QString& folder)> opener) { open_folder_ = std::move(opener); }

    QProgressBar* busy_bar() const { return busy_; }
    QProgressBar* main_bar() const { return main_; }
    QPushButton* stop_button() const { return stop_; }
    QCheckBox* open_folder_box() const { return open_when_done_; }
    QCheckBox* shutdown_box() const { return shutdown_; }
    QLineEdit* name_field() const { return name_; }
    QPushButton* open_location_button() const { return open_location_; }
    QLabel* template_caption() const { return template_caption_; }   // "当前模板"
    QLabel* template_detail() const { return template_detail_; }     // "晨光  45%  60/125 帧"
    QLabel* overall_caption() const { return overall_caption_; }     // "全部进度"
    QLabel* overall_detail() const { return overall_detail_; }       // "45%  600/1325 帧"
    QLabel* time_label() const { return times_; }                    // "已用时间 … 剩余时间 …"
    // The completion notice, shown once the album is finished.
    QWidget* done_notice() const { return notice_; }
    QLineEdit* done_path() const { return done_path_; }
    QPushButton* done_open_folder() const { return done_open_; }
    QPushButton* done_close() const { return done_close_; }

public slots:
    // Escape does not end a run; only "停止制作" does. Once the album is finished it closes
    // the window.
    void reject() override;

protected:
    // The close label only changes its picture while a run goes on; afterwards it closes.
    void close_label_released() override { reject(); }

private:
    void production_tick();
    void closing_tick();
    void stop_pressed();
    void open_location();
    void open_output_folder();
    void finish();
    void show_busy(int value, int maximum);
    void show_frames(int value, int maximum);
    void show_done();
    void reset_progress();

    MakingSources sources_;
    AppState& state_;
    Ui& ui_;
    FrameLayers no_layers_;
    FrameLayers& layers_;
    QProgressBar* busy_;
    QProgressBar* main_;
    QPushButton* stop_;
    QCheckBox* open_when_done_;
    QCheckBox* shutdown_;
    QLineEdit* name_;
    QPushButton* open_location_;
    QLabel* template_caption_;
    QLabel* template_detail_;
    QLabel* overall_caption_;
    QLabel* overall_detail_;
    QLabel* times_;
    QWidget* notice_;
    QLineEdit* done_path_;
    QPushButton* done_open_;
    QPushButton* done_close_;
    QElapsedTimer elapsed_;
    MakingClock clock_;
    bool converting_ = false;
    bool done_ = false;
    QTimer production_timer_;
    QTimer closing_timer_;
    QString output_path_;
    std::unique_ptr<ProductionRun> run_;
    ProductionOutcome outcome_ = ProductionOutcome::Refused;
    QStringList log_lines_;
    std::function<void(const QString&)> open_folder_;
};

} // namespace velmora
