// Production benchmark: a 60-second DVD album (1920 x 1088, high quality) from 12 painted photos,
// against FFmpeg's mpeg2video encoder alone on as many frames of the same size and bit rate.
// Targets: album frames per second at least 0.7 of the encoder's; peak memory under 1 GiB.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

#include "common/sample_photo.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "core/system_settings.h"
#include "media/sine_song.h"
#include "production/album_type_choice.h"
#include "production/output_file.h"
#include "production/production_run.h"
#include "templates/photo_list.h"
#include "templates/template_assignment.h"

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

// Frames per second of the whole production run; the album is music-synchronised to a 60-second song.
double album_fps(const QString& folder) {
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
    {
        const SystemSettings system;
        NoAutoTextEffects effects;
        const RandomPick random = seeded_random_pick(11);
        PhotoList photos(album, state, ui, random, effects);
        AssignmentState assignment;
        assignment.mobanfashi = AssignmentMode::Random;
        const AssignmentServices services{catalogue, system, ui, root, random};
        add_photos_job(photos, files, {[&] { assign_templates(album, 0, assignment, services); }, {}});
    }
    OutputSettings settings;
    prepare_album_type_choice(settings, mcl::AlbumType::dvd);
    settings.sync_mode = SyncMode::Music;
    settings.xiangce_mingcheng = "bench";
    settings.xiangce_baocun_weizhi = folder + "/";
    const ThumbnailService thumbnails;
    FrameLayers layers;
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
        return 0;
    }
    const int frames = run.state().zhizuo_zongzhen_sum;
    std::printf("album: %d frames, %d used templates, %.1f s, processor %.1f ms a frame\n", frames,
                int(album.used_templates.size()), seconds, cpu * 1000 / frames);
    return frames / seconds;
}

// The encoder alone: the same picture size, format and bit rate, one painted picture repeated.
double encoder_fps(const QString& folder) {
    const mcl::AlbumFormat* format = mcl::album_format(mcl::AlbumType::dvd);
    mcl::OutputPlan plan;
    plan.format = format;
    plan.path = folder + "/encoder.mpg";
    plan.width = 1920;
    plan.height = 1088;
    plan.video_kbps = mcl::limited_video_kbps(*format, kHighKbps);
    QImage picture = paint_sample_photo(QSize(1920, 1080), 5).convertToFormat(QImage::Format_RGB32);
    QElapsedTimer clock;
    clock.start();
    const double cpu_before = cpu_seconds();
    mcl::OutputFile output(plan);
    for (int i = 0; i < kFrames; ++i) {
        picture.setPixel(i % 1920, 0, qRgb(i % 255, 0, 0));   // frames differ a little, as an album's do
        output.write_picture(picture);
    }
    output.finish();
    std::printf("encoder alone: processor %.1f ms a frame\n", (cpu_seconds() - cpu_before) * 1000 / kFrames);
    return kFrames / (clock.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const double album = album_fps(dir.path());
    const double encoder = encoder_fps(dir.path());
    std::printf("album production:   %.1f frames/s\n", album);
    std::printf("mpeg2video alone:   %.1f frames/s\n", encoder);
    std::printf("ratio:              %.2f (target >= 0.70)\n", encoder > 0 ? album / encoder : 0);
    std::printf("peak memory:        %.0f MiB (target < 1024)\n", peak_mib());
    return 0;
}
