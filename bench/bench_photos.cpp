// Adds 1000 photos of 12 megapixels (4000 x 3000 JPEGs) with the engine's adding job and the
// default settings, then renders one page of thumbnails (9 photos at 118 x 80).
// Targets: adding under 15 s and under 600 MiB peak memory; the page under 150 ms.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <QGuiApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/app_state.h"
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

// kDistinct encoded photos, linked (or copied) to kPhotos files.
QStringList make_photos(const QString& folder) {
    QStringList sources;
    for (int i = 0; i < kDistinct; ++i) {
        sources.append(QStringLiteral("%1/source_%2.jpg").arg(folder).arg(i));
        velmora::save_jpeg(camera_like_picture(i), sources.back());
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
    velmora::PhotoList list(album, state, ui, velmora::seeded_random_pick(1), effects);
    const auto added = Clock::now();
    const velmora::AppendResult result = velmora::add_photos_job(list, files, {});
    const double add_ms = ms_since(added);
    std::printf("adding job: %d photos in %.0f ms (target < 15000 ms); peak memory %ld MiB (target < 600 MiB)\n",
                result.added, add_ms, peak_rss_mib());

    const velmora::ThumbnailService service;
    const auto paged = Clock::now();
    int failed = 0;
    for (int i = 0; i < kPageSize; ++i)
        failed += service.render(album.photos[std::size_t(i)].location, QSize(118, 80)).failed ? 1 : 0;
    std::printf("thumbnail page: %d photos at 118 x 80 in %.1f ms (target < 150 ms), %d failed\n", kPageSize,
                ms_since(paged), failed);
    std::printf("peak memory at the end %ld MiB\n", peak_rss_mib());
    return result.added == kPhotos && failed == 0 ? 0 : 1;
}
