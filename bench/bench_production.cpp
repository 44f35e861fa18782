// Production benchmark: a 60-second DVD album (1920 x 1088, high quality) from 12 painted photos,
// against FFmpeg's mpeg2video encoder alone on as many frames of the same size and bit rate.
// Targets: album frames per second at least 0.7 of the encoder's; peak memory under 1 GiB.
// The album is made three times: without effects, with the default automatic text effects, and
// with those plus the "婚纱特效组合" picture combinations (an effect on every frame). Targets:
// text effects at least 0.9 of the rate without, with the combinations at least 0.7.
//
// How fast an encoder runs depends on what it is given: frames that hardly change are mostly
// skipped, moving pictures are searched for motion. The encoder is timed on the album's own
// frames, decoded from the album just made (what encoding this album costs), and, for
// comparison, on one painted picture repeated with a pixel changed (the least it can cost).
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>
#include <sys/resource.h>

#include "preview/sample_photo.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "core/system_settings.h"
#include "effects/album_effects.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_layer.h"
#include "effects/picture_combinations.h"
#include "media/sine_song.h"
#include "production/album_type_choice.h"
#include "production/output_file.h"
#include "production/production_run.h"
#include "templates/photo_list.h"
#include "templates/template_assignment.h"
#include "batch/decoded_frames.h"

using namespace velmora;

namespace {

constexpr int kPhotos = 12;
constexpr int kSeconds = 60;
constexpr int kFrames = kSeconds * 25;
constexpr int kHighKbps = 20000;

void copy_tree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

// Processor time of every thread of the process so far, in seconds.
double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peak_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct AlbumRun {
    double fps = 0;
    QString path;
    double peak_mib = 0;
};

enum class Effects { None, Text, TextAndPictures };

const char* to_text(Effects effects) {
    switch (effects) {
    case Effects::None: return "no effects";
    case Effects::Text: return "text effects";
    case Effects::TextAndPictures: return "text + 婚纱特效组合";
    }
    return "";
}

// The whole production run; the album is music-synchronised to a 60-second song.
AlbumRun make_album(const QString& folder, Effects with) {
    QDir().mkpath(folder);
    const DataRoot root(folder + "/smxcwjj");
    copy_tree(VELMORA_DATA_ROOT, root.path());
    TemplateCatalogue catalogue;
    load_template_catalogue(root, catalogue);
    QStringList files;
    for (int i = 0; i < kPhotos; ++i) {
        files.append(folder + QStringLiteral("/p%1.jpg").arg(i));
        save_jpeg(paint_sample_photo(i % 4 == 3 ? QSize(1200, 1600) : QSize(1600, 1200), i + 1), files.back());
    }
    test::write_sine_mp3(folder + "/song.mp3", kSeconds + 0.5);
    ScriptedUi ui;
    Album album;
    AppState state;
    MusicList music;
    music.add_songs({folder + "/song.mp3"}, ffmpeg_song_length(), ui);
    AlbumEffects effects(album, catalogue);
    {
        const SystemSettings system;
        const RandomPick random = seeded_random_pick(11);
        PhotoList photos(album, state, ui, random, effects.text);
        AssignmentState assignment;
        assignment.mobanfashi = AssignmentMode::Random;
        AutoEffectChoice choice{with != Effects::None, std::nullopt};
        if (with == Effects::TextAndPictures)
            choice.picture = picture_combination_categories().front();
        const AutoEffectServices effect_services{root, catalogue, random, [] { return QTime(12, 0); }};
        const AssignmentServices services{catalogue, system, ui, root, random, [&](Album& placed) {
            run_automatic_effects(choice, placed, effects, effect_services, state);
        }};
        add_photos_job(photos, files, {[&] { assign_templates(album, 0, assignment, services); }, {}});
    }
    OutputSettings settings;
    prepare_album_type_choice(settings, mcl::AlbumType::dvd);
    settings.sync_mode = SyncMode::Music;
    settings.xiangce_mingcheng = "bench";
    settings.xiangce_baocun_weizhi = folder + "/";
    const ThumbnailService thumbnails;
    EffectLayer layers(root, effects.picture, effects.text.table());
    const ProductionInput input{root, album, catalogue, music, settings, thumbnails, settings.output_path()};
    ProductionRun run(input, state, ui, {}, layers);
    QElapsedTimer clock;
    clock.start();
    const double cpu_before = cpu_seconds();
    const ProductionOutcome outcome = run.run();
    const double seconds = clock.elapsed() / 1000.0;
    const double cpu = cpu_seconds() - cpu_before;
    if (outcome != ProductionOutcome::Complete) {
        std::fprintf(stderr, "the album failed: %s\n", run.error_text().toUtf8().constData());
        return {};
    }
    const int frames = run.state().zhizuo_zongzhen_sum;
    std::printf("album, %s: %d frames, %d used templates, %d picture and %d text effects, %.1f s, processor %.1f ms "
                "a frame\n",
                to_text(with), frames, int(album.used_templates.size()), effects.picture.size(),
                effects.text.table().size(), seconds, cpu * 1000 / frames);
    return {frames / seconds, settings.output_path(), peak_mib()};
}

// The encoder alone on the pictures `next` gives (false after the last): the same picture size,
// format and bit rate as the album. Only the encoder's work is timed: the pictures are made
// beforehand, a few at a time, so they do not crowd the encoder out of the processor's caches.
// Returns the frames encoded per second.
double encoder_fps(const char* what, const QString& path, const std::function<bool(QImage&)>& next) {
    constexpr int kBatch = 25;
    const mcl::AlbumFormat* format = mcl::album_format(mcl::AlbumType::dvd);
    mcl::OutputPlan plan;
    plan.format = format;
    plan.path = path;
    plan.width = 1920;
    plan.height = 1088;
    plan.video_kbps = mcl::limited_video_kbps(*format, kHighKbps);
    qint64 nanoseconds = 0;
    double cpu = 0;
    const auto timed = [&](const std::function<void()>& work) {
        QElapsedTimer clock;
        clock.start();
        const double cpu_before = cpu_seconds();
        work();
        cpu += cpu_seconds() - cpu_before;
        nanoseconds += clock.nsecsElapsed();
    };
    std::optional<mcl::OutputFile> output;
    timed([&] { output.emplace(plan); });
    int frames = 0;
    for (std::vector<QImage> batch;; batch.clear()) {
        for (QImage picture; int(batch.size()) < kBatch && next(picture);)
            batch.push_back(picture);
        if (batch.empty())
            break;
        timed([&] {
            for (const QImage& picture : batch)
                output->write_picture(picture);
        });
        frames += int(batch.size());
    }
    timed([&] { output->finish(); });
    const double fps = frames / (nanoseconds / 1e9);
    std::printf("encoder alone, %s: %d frames, processor %.1f ms a frame, %.1f frames/s\n", what, frames,
                cpu * 1000 / frames, fps);
    return fps;
}

double encoder_fps_on_album(const QString& folder, const QString& album) {
    test::VideoFrames frames(album, QSize(1920, 1080));
    return encoder_fps("the album's frames", folder + "/again.mpg", [&](QImage& picture) { return frames.next(picture); });
}

double encoder_fps_on_still(const QString& folder) {
    QImage still = paint_sample_photo(QSize(1920, 1080), 5).convertToFormat(QImage::Format_RGB32);
    int frame = 0;
    return encoder_fps("a still picture", folder + "/still.mpg", [&](QImage& picture) {
        if (frame == kFrames)
            return false;
        still.setPixel(frame % 1920, 0, qRgb(frame % 255, 0, 0));
        picture = still.copy();
        ++frame;
        return true;
    });
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const DataRoot shipped(VELMORA_DATA_ROOT);
    if (list_text_effects(shipped, 0).ids.empty() && list_picture_effects(shipped).ids.empty())
        std::printf("note: the data folder has no installed effect; the effect runs lay none\n");
    std::vector<AlbumRun> runs;
    for (Effects with : {Effects::None, Effects::Text, Effects::TextAndPictures}) {
        runs.push_back(make_album(dir.path() + QStringLiteral("/run%1").arg(int(with)), with));
        if (runs.back().path.isEmpty())
            return 1;
    }
    const AlbumRun& album = runs.front();
    const double on_album = encoder_fps_on_album(dir.path(), album.path);
    const double on_still = encoder_fps_on_still(dir.path());
    const auto ratio = [&](double encoder) { return encoder > 0 ? album.fps / encoder : 0; };
    std::printf("album production:   %.1f frames/s\n", album.fps);
    std::printf("ratio:              %.2f of the encoder on the album's frames (target >= 0.70)\n", ratio(on_album));
    std::printf("                    %.2f of the encoder on a still picture\n", ratio(on_still));
    std::printf("with text effects:  %.1f frames/s, %.2f of the rate without (target >= 0.90)\n", runs[1].fps,
                runs[1].fps / album.fps);
    std::printf("with text + 婚纱特效组合: %.1f frames/s, %.2f of the rate without (target >= 0.70)\n", runs[2].fps,
                runs[2].fps / album.fps);
    double peak = 0;
    for (const AlbumRun& run : runs)
        peak = std::max(peak, run.peak_mib);
    std::printf("peak memory:        %.0f MiB while making the albums (target < 1024)\n", peak);
    return 0;
}
