// velmora-samplebuild PROGRAM_FOLDER: writes the bundled sample material beside the programs:
// the sample song yinyuegeciwenjian/甜蜜蜜.mp3 (a tune of our own) and twelve painted sample
// photos in samples/photos, landscape and portrait. Deterministic; files are written complete
// or not at all.
#include <cstdio>
#include <QDir>
#include <QGuiApplication>

#include "preview/sample_photo.h"
#include "core/data_error.h"
#include "core/jpeg_writer.h"
#include "melody.h"

namespace {

struct SamplePhoto {
    const char* name;
    QSize size;
};

// Mostly landscape, as people's albums are, with a few portraits.
constexpr SamplePhoto kPhotos[] = {
    {"01_morning.jpg", {1600, 1200}}, {"02_hills.jpg", {1920, 1080}},  {"03_portrait.jpg", {1200, 1600}},
    {"04_dusk.jpg", {1600, 1200}},    {"05_valley.jpg", {1920, 1080}}, {"06_tall.jpg", {1080, 1440}},
    {"07_lake.jpg", {1600, 1200}},    {"08_meadow.jpg", {1920, 1080}}, {"09_evening.jpg", {1200, 1600}},
    {"10_coast.jpg", {1600, 1200}},   {"11_summit.jpg", {1920, 1080}}, {"12_window.jpg", {1200, 1600}},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-samplebuild PROGRAM_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    try {
        out.mkpath(QStringLiteral("yinyuegeciwenjian"));
        out.mkpath(QStringLiteral("samples/photos"));
        const velmora::samples::Melody melody;
        velmora::write_mp3(out.filePath(QStringLiteral("yinyuegeciwenjian/甜蜜蜜.mp3")), melody.total_samples(),
                           [&melody](qint64 first, int count, float* l, float* r) { melody.render(first, count, l, r); });
        int seed = 0;
        for (const SamplePhoto& photo : kPhotos)
            velmora::save_jpeg(velmora::paint_sample_photo(photo.size, seed++),
                               out.filePath(QStringLiteral("samples/photos/%1").arg(QString::fromLatin1(photo.name))));
    } catch (const velmora::DataError& e) {
        std::fprintf(stderr, "velmora-samplebuild: %s\n", e.what());
        return 1;
    }
    return 0;
}
