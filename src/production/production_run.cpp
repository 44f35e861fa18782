#include "production/production_run.h"

#include "core/bitmap_file.h"
#include "core/clock.h"
#include "core/data_error.h"
#include "production/album_type_choice.h"
#include "production/album_workspace.h"
#include "production/converter.h"
#include "production/frame_assembly.h"
#include "production/media_list.h"
#include "production/progress_line.h"
#include "templates/used_templates.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace velmora {
namespace {

constexpr int kBusyMaximum = 100;
constexpr int kPumpEveryEntries = 250;
// The high-quality bit-rate triple: average kbit/s, variable rate, ceiling.
constexpr int kHighKbps = 20000;
constexpr int kHighMaxKbps = 100000;

void report(const std::function<void(int, int)>& bar, int value, int maximum) {
    if (bar)
        bar(value, maximum);
}

int template_frames(const TemplateCatalogue& catalogue, const UsedTemplate& used) {
    if (used.catalogue_number < 0 || used.catalogue_number >= int(catalogue.mobancanshu.size()))
        return 0;
    return catalogue.mobancanshu[std::size_t(used.catalogue_number)].mbdx.trimmed().toInt();
}

qint64 song_frames(const MusicEntry& song) { return song.length_ms / 1000 * kFramesPerSecond; }

// Under music sync every song plays once, in list order.
std::vector<SongScheduleRow> songs_once(const MusicList& music) {
    std::vector<SongScheduleRow> rows;
    for (int i = 0; i < music.size(); ++i)
        rows.push_back({i, song_frames(music.songs()[std::size_t(i)])});
    return rows;
}

} // namespace

int album_frame_total(const Album& album, const TemplateCatalogue& catalogue, const MusicList& music, SyncMode sync) {
    qint64 total = 0;
    if (sync == SyncMode::Music) {
        for (const MusicEntry& song : music.songs())
            total += song_frames(song);
        return int(std::min<qint64>(total, std::numeric_limits<int>::max()));
    }
    for (const UsedTemplate& used : album.used_templates)
        if (used.complete)
            total += template_frames(catalogue, used);
    return int(total) + FrameAssembly::kClosingFrames;
}

std::vector<NeededTemplate> templates_needed(const Album& album) {
    std::vector<NeededTemplate> rows;
    for (std::size_t i = 0; i < album.used_templates.size(); ++i)
        if (album.used_templates[i].complete)
            rows.push_back({album.used_templates[i], int(i)});
    return rows;
}

QString production_refusal(const ProductionInput& input) {
    const QString name = album_name_refusal(input.settings.xiangce_mingcheng);
    if (!name.isEmpty())
        return name;
    if (templates_needed(input.album).empty())
        return QStringLiteral("没有完成照片匹配的模板文件！请为模板添加照片后,再制作相册！");
    if (input.settings.sync_mode == SyncMode::Music
        && album_frame_total(input.album, input.catalogue, input.music, SyncMode::Music) <= 0)
        return QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！");
    return {};
}

// The workspace paths and the frame source of a run that has started making frames.
class ProductionRun::Frames {
public:
    Frames(ProductionState& state, const DataRoot& root, const QString& extension, const Album& album,
           FrameLayers& layers)
        : paths(root, extension), assembly(state, paths, album, layers) {}
    WorkspacePaths paths;
    FrameAssembly assembly;
};

ProductionRun::ProductionRun(ProductionInput input, AppState& app_state, Ui& ui, ProductionCallbacks callbacks,
                             FrameLayers& layers)
    : input_(std::move(input)), app_state_(app_state), ui_(ui), callbacks_(std::move(callbacks)), layers_(layers) {}

ProductionRun::~ProductionRun() = default;

ProductionOutcome ProductionRun::run() {
    const QString refusal = production_refusal(input_);
    if (!refusal.isEmpty()) {
        ui_.show_message(refusal);
        return ProductionOutcome::Refused;
    }
    try {
        if (!prepare_state() || !prepare_workspace())
            return ProductionOutcome::Stopped;
        start_frames();
    } catch (const DataError& error) {
        return failed(error.message());
    }
    return convert();
}

void ProductionRun::stop() {
    state_.tuichu = RunState::Stopped;
    if (converter_)
        converter_->abort();
}

bool ProductionRun::stop_requested() {
    ui_.pump_events();
    return state_.tuichu == RunState::Stopped;
}

bool ProductionRun::prepare_state() {
    state_ = ProductionState{};
    state_.sync_mode = input_.settings.sync_mode;
    state_.xuyao_shiyongmoban_shuliang = templates_needed(input_.album);
    state_.zhizuo_zongzhen_sum = album_frame_total(input_.album, input_.catalogue, input_.music, state_.sync_mode);
    if (state_.sync_mode == SyncMode::Music)
        state_.xuyao_yinyue_shuliang = songs_once(input_.music);
    else if (!input_.music.empty())
        state_.xuyao_yinyue_shuliang = input_.music.build_song_schedule(
            state_.zhizuo_zongzhen_sum, [this] { return state_.tuichu == RunState::Stopped; }, ui_);
    for (int r = 0; r < int(state_.xuyao_shiyongmoban_shuliang.size()); ++r)
        state_.duiying_keyong_hanghao.push_back(r);
    state_.Falsh_size = state_.Zhaopian_size = input_.settings.render_size();
    return state_.tuichu != RunState::Stopped;
}

bool ProductionRun::prepare_workspace() {
    const int needed = int(state_.xuyao_shiyongmoban_shuliang.size());
    int busy = 0;
    report(callbacks_.busy_progress, 0, 3 * needed);
    report(callbacks_.main_progress, 0, state_.zhizuo_zongzhen_sum);
    std::vector<WorkspaceTemplate> folders;
    app_state_.yijing_wancheng_shiyongmoban_hanghao.clear();
    for (int r = 0; r < needed; ++r) {
        folders.push_back({r + 1, state_.xuyao_shiyongmoban_shuliang[std::size_t(r)].hanghao});
        state_.yijing_wancheng_shiyongmoban_hanghao.push_back(r);
        app_state_.yijing_wancheng_shiyongmoban_hanghao.append(QString::number(r));
    }
    const WorkspaceCallbacks callbacks{[this] { return stop_requested(); },
                                       [&] { report(callbacks_.busy_progress, ++busy, 3 * needed); }};
    const WorkspacePaths paths(input_.root, input_.movie_extension);
    return prepare_album_workspace(input_.root, paths, input_.album, input_.catalogue, folders, state_.Zhaopian_size,
                                   input_.thumbnails, callbacks)
           == WorkspaceOutcome::Ready;
}

// The first template shows its own background where a movie shows the previous template's
// last frame; the album starts on a black frame.
void ProductionRun::start_frames() {
    frames_ = std::make_unique<Frames>(state_, input_.root, input_.movie_extension, input_.album, layers_);
    const WorkspacePaths& paths = frames_->paths;
    const int first_folder = template_folder_at(state_, 0);
    if (QFileInfo::exists(paths.background(first_folder))) {
        QFile::remove(paths.snapshot());
        QFile::copy(paths.background(first_folder), paths.snapshot());
    }
    frames_->assembly.load_first_template();
    write_bitmap(black_frame(state_.Falsh_size), paths.frame_file());
    state_.tuichu = RunState::Running;
    state_.moban_jietu_kaiguan = Switch::On;
    // The first song's lyric file is read by FrameLayers::song_started.
    layers_.album_started();
    frames_->assembly.start_first_song();
}

ProductionOutcome ProductionRun::convert() {
    mcl::Converter converter;
    converter_ = &converter;
    struct Reset {
        mcl::Converter*& pointer;
        ~Reset() { pointer = nullptr; }
    } reset{converter_};
    mcl::MediaList video;
    mcl::MediaList audio;
    converter.assign_video_source([&](mcl::Source& source, int index) {
        const auto name = video.get_name(index);
        name ? source.set_file(*name) : source.finished();
    });
    converter.assign_audio_source([&](mcl::Source& source, int index) {
        const auto name = audio.get_name(index);
        name ? source.set_file(*name) : source.finished();
    });
    converter.assign_video_func([this](int) { make_frame(); });
    converter.assign_progress([&](mcl::Converter& c, const mcl::Progress& progress) {
        if (progress.status == int(mcl::ProgressStatus::multiplexing) && progress.percent >= 100)
            file_written_ = true;
        log_.append(mcl::progress_line(progress, c.get_elapsed_time(),
                                       c.get_remaining_time(video.get_frame_count(), audio.get_sample_count())));
    });
    converter.assign_error([this](const QString& text) { log_.append(text); });
    log_.clear();

    const QString frame_file = frames_->paths.frame_file();
    for (int i = 0; i < state_.zhizuo_zongzhen_sum; ++i) {
        video.add(frame_file, mcl::ListKind::picture);
        if (i % kPumpEveryEntries == 0 && stop_requested())
            return ProductionOutcome::Stopped;
    }
    for (const SongScheduleRow& row : state_.xuyao_yinyue_shuliang)
        audio.add(input_.music.songs()[std::size_t(row.song_row)].location, mcl::ListKind::song);
    log_.append(QStringLiteral("Total frames:  %1").arg(video.get_frame_count()));
    log_.append(QStringLiteral("Total samples: %1").arg(audio.get_sample_count()));
    setup_converter(converter);
    report(callbacks_.busy_progress, 0, kBusyMaximum);
    if (callbacks_.conversion_started)
        callbacks_.conversion_started();
    if (video.get_frame_count() <= 0) {
        log_.append(QStringLiteral("Nothing to convert."));
        return failed(QStringLiteral("Nothing to convert."));
    }
    log_.append(QStringLiteral("Starting conversion..."));
    converter.convert();
    log_.append(QStringLiteral("Conversion ended."));
    if (!frame_error_.isEmpty())
        return failed(frame_error_);
    if (converter.get_error() != 0)
        return failed(converter.get_error_str());
    if (!file_written_) {
        state_.tuichu = RunState::Stopped;
        return ProductionOutcome::Stopped;
    }
    state_.tuichu = RunState::Stopped;
    report_layer_problems();
    return ProductionOutcome::Complete;
}

void ProductionRun::setup_converter(mcl::Converter& converter) {
    const OutputSettings& settings = input_.settings;
    converter.set_format_preset(format_preset(settings.xiangce_leixing), settings.tv_standard);
    converter.video_set_keep_duration(true);
    converter.video_set_format(settings.chicun_width, settings.chicun_height, 32);
    if (uses_high_bit_rate(settings.huamianzhiliang_xuanzhong))
        converter.video_set_bit_rate(kHighKbps, int(mcl::BitRateMode::variable), kHighMaxKbps);
    converter.video_set_file_name(input_.output_path);
    converter.audio_set_file_name(input_.output_path);
}

// A frame that cannot be made ends the conversion; the reason is reported once it returned.
void ProductionRun::make_frame() {
    if (state_.tuichu != RunState::Running)
        return;
    try {
        // Handed over in memory: writing 8 MB of frame file per frame and reading it back cost a
        // quarter of the run's time at 1920 x 1080. The frame file keeps the black first frame.
        converter_->provide_frame_picture(frames_->assembly.next_frame());
    } catch (const DataError& error) {
        frame_error_ = error.message();
        stop();
        return;
    }
    const int made = state_.zhizuo_zhenshu_leijia_sum;
    report(callbacks_.busy_progress, made % kBusyMaximum, kBusyMaximum);
    report(callbacks_.main_progress, made, state_.zhizuo_zongzhen_sum);
    ui_.pump_events();
}

// The album is finished; what its layers could not draw is told once, after the run.
void ProductionRun::report_layer_problems() {
    const QStringList problems = layers_.problems();
    for (const QString& problem : problems)
        log_.append(problem);
    if (!problems.isEmpty())
        ui_.show_message(QStringLiteral("相册已经制作完成，但以下歌词文件无法读取，对应的歌曲没有显示歌词：\n%1")
                             .arg(problems.join(QLatin1Char('\n'))));
}

ProductionOutcome ProductionRun::failed(const QString& text) {
    error_ = text;
    state_.tuichu = RunState::Stopped;
    ui_.show_message(QStringLiteral("相册制作失败：%1").arg(text));
    return ProductionOutcome::Failed;
}

} // namespace velmora
