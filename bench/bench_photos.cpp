// Adds 1000 photos of 12 megapixels (4000 x 3000 JPEGs) with the engine's adding job and the
// default settings (template rotation over the shipped catalogue), then renders one page of
// thumbnails (9 photos at 118 x 80), once from photos that carry a camera's embedded EXIF
// thumbnail (160 x 120, as cameras write) and once from photos without one.
// Targets: adding under 15 s and under 600 MiB peak memory; the page under 150 ms.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/app_state.h"
#include "core/system_settings.h"
#include "templates/photo_fixtures.h"
#include "templates/template_assignment.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "templates/photo_list.h"
#include "templates/thumbnail_service.h"

namespace {

constexpr int kPhotos = 1000;
constexpr int kDistinct = 4;
constexpr int kPageSize = 9;

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peak_rss_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// A photo-like picture: smooth gradients with grain, so the JPEG has a camera's entropy.
QImage camera_like_picture(int seed) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 noise{std::uint32_t(seed)};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(noise() % 24);
            line[x] = qRgb((x / 16 + seed * 60 + grain) & 0xFF, (y / 12 + grain) & 0xFF, ((x + y) / 28 + grain) & 0xFF);
        }
    }
    return image;
}

// A photo file as a camera writes it: the picture with its 160 x 120 EXIF thumbnail.
void save_camera_photo(const QImage& picture, const QString& path) {
    const QByteArray thumbnail = velmora::encode_jpeg(picture.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(velmora::test::jpeg_with(picture, velmora::test::exif_segment_with_thumbnail(1, thumbnail))) < 0)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// kDistinct encoded photos, linked (or copied) to kPhotos files.
QStringList make_photos(const QString& folder) {
    QStringList sources;
    for (int i = 0; i < kDistinct; ++i) {
        sources.append(QStringLiteral("%1/source_%2.jpg").arg(folder).arg(i));
        save_camera_photo(camera_like_picture(i), sources.back());
        // The same picture without the embedded thumbnail, for the second page measurement.
        velmora::save_jpeg(camera_like_picture(i), QStringLiteral("%1/plain_%2.jpg").arg(folder).arg(i));
    }
    QStringList files;
    for (int i = 0; i < kPhotos; ++i) {
        files.append(QStringLiteral("%1/photo_%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
        std::error_code error;
        std::filesystem::create_hard_link(sources[i % kDistinct].toStdString(), files.back().toStdString(), error);
        if (error)
            std::filesystem::copy_file(sources[i % kDistinct].toStdString(), files.back().toStdString());
    }
    return files;
}

void copy_tree(const QString& from, const QString& to) {
    std::filesystem::copy(from.toStdString(), to.toStdString(), std::filesystem::copy_options::recursive);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const auto made = Clock::now();
    const QStringList files = make_photos(dir.path());
    std::printf("generated %d photo files (%d distinct, %lld bytes each) in %.0f ms\n", kPhotos, kDistinct,
                static_cast<long long>(QFileInfo(files[0]).size()), ms_since(made));

    velmora::Album album;
    velmora::AppState state;
    velmora::ScriptedUi ui;
    ui.on_pump = [] { QCoreApplication::processEvents(); };
    velmora::NoAutoTextEffects effects;
    const velmora::RandomPick random = velmora::seeded_random_pick(1);
    velmora::PhotoList list(album, state, ui, random, effects);
    // The shipped catalogue, loaded from a copy: loading clears the data folder's work folder.
    const velmora::DataRoot root(dir.filePath(QStringLiteral("smxcwjj")));
    copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path());
    velmora::TemplateCatalogue catalogue;
    velmora::load_template_catalogue(root, catalogue);
    const velmora::SystemSettings settings;
    velmora::AssignmentState assignment;
    assignment.mobanfashi = velmora::AssignmentMode::Random;
    const velmora::AssignmentServices services{catalogue, settings, ui, root, random};
    const auto added = Clock::now();
    const velmora::AppendResult result = velmora::add_photos_job(
        list, files, {[&] { velmora::assign_templates(album, 0, assignment, services); }, {}});
    const double add_ms = ms_since(added);
    std::printf("adding job: %d photos into %zu used templates in %.0f ms (target < 15000 ms); peak memory %ld MiB "
                "(target < 600 MiB)\n",
                result.added, album.used_templates.size(), add_ms, peak_rss_mib());

    const velmora::ThumbnailService service;
    int failed = 0;
    for (const bool embedded : {true, false}) {
        const auto paged = Clock::now();
        for (int i = 0; i < kPageSize; ++i) {
            const QString path = embedded ? album.photos[std::size_t(i)].location
                                          : QStringLiteral("%1/plain_%2.jpg").arg(dir.path()).arg(i % kDistinct);
            failed += service.render(path, QSize(118, 80)).failed ? 1 : 0;
        }
        std::printf("thumbnail page, photos %s embedded thumbnails: %d at 118 x 80 in %.1f ms (target < 150 ms)\n",
                    embedded ? "with" : "without", kPageSize, ms_since(paged));
    }
    std::printf("peak memory at the end %ld MiB\n", peak_rss_mib());
    return result.added == kPhotos && failed == 0 ? 0 : 1;
}
