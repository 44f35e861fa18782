#pragma once

#include "core/app_state.h"
#include "core/data_root.h"
#include "core/ui.h"
#include "media/music_list.h"
#include "production/conversion_log.h"
#include "production/frame_layers.h"
#include "production/output_settings.h"
#include "production/production_state.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"
#include "templates/thumbnail_service.h"

#include <functional>

namespace velmora {

namespace mcl {
class Converter;
}

// What one run makes an album from. Every reference outlives the run.
struct ProductionInput {
    const DataRoot& root;
    const Album& album;
    const TemplateCatalogue& catalogue;
    const MusicList& music;
    const OutputSettings& settings;   // type, output size, quality, TV standard, sync mode, name
    const ThumbnailService& thumbnails;
    QString output_path;              // the album file; written only when complete
    QString movie_extension = QStringLiteral(".rar");   // AppState::kuozhanming_1
};

// How the run reports; unset members do nothing. All run on the run's thread.
struct ProductionCallbacks {
    std::function<void(int value, int maximum)> busy_progress;   // the making window's busy bar
    std::function<void(int value, int maximum)> main_progress;   // frames made of the album's total
    std::function<void()> conversion_started;                    // stopping is possible from now on
};

enum class ProductionOutcome { Complete, Stopped, Failed, Refused };

// The frames of the album: under template sync the frame counts of the used templates whose
// photos are all matched plus 150 for the closing movie; under music sync the songs played
// once each in list order (whole seconds x 25 each).
int album_frame_total(const Album& album, const TemplateCatalogue& catalogue, const MusicList& music, SyncMode sync);

// The templates-needed list: every used template whose photos are all matched, in order.
std::vector<NeededTemplate> templates_needed(const Album& album);

// Why the album cannot be made, as the message to show; empty when it can.
QString production_refusal(const ProductionInput& input);

// One production run: works out the frames and songs, prepares the album workspace, and hands
// the frames one by one to the encoder, which writes the album file. Windowless: the making
// window and the batch tool drive it through `ui` (messages, event pumps) and the callbacks.
// One run per object; run() blocks the calling thread, which must be the interface thread.
class ProductionRun {
public:
    ProductionRun(ProductionInput input, AppState& app_state, Ui& ui, ProductionCallbacks callbacks,
                  FrameLayers& layers);
    ~ProductionRun();

    // Makes the album. Complete: the file is at the output path, finished. Stopped: stop() was
    // called before the end; no file was written. Failed: the reason was shown through `ui`
    // and is in error_text(); no file was written. Refused: the album cannot be made (message
    // shown), nothing was done.
    ProductionOutcome run();

    // Ends the run at the next frame; for event pumps inside run(). Once the last frame was
    // handed over the album is finished anyway. Outside a run it only marks the state stopped.
    void stop();

    const ProductionState& state() const { return state_; }
    const ConversionLog& log() const { return log_; }
    QString error_text() const { return error_; }

private:
    bool prepare_state();
    bool prepare_workspace();
    void start_frames();
    ProductionOutcome convert();
    void setup_converter(mcl::Converter& converter);
    void make_frame();
    ProductionOutcome failed(const QString& text);
    void report_layer_problems();
    bool stop_requested();

    ProductionInput input_;
    AppState& app_state_;
    Ui& ui_;
    ProductionCallbacks callbacks_;
    FrameLayers& layers_;
    ProductionState state_;
    ConversionLog log_;
    QString error_;
    QString frame_error_;
    mcl::Converter* converter_ = nullptr;
    class Frames;
    std::unique_ptr<Frames> frames_;
    bool file_written_ = false;
};

} // namespace velmora
