// Feeds arbitrary movie files to the template movie reader and prepares what it read the ways
// the player asks for: the whole animation at full and at faded background, and its parts.
// rlottie itself is not driven: drawing frames would cost more than everything else here.
#include "core/data_error.h"
#include "fuzz/fuzz_support.h"
#include "preview/template_movie.h"

#include <QBuffer>
#include <QImage>
#include <nlohmann/json.hpp>

using namespace velmora;
using Json = nlohmann::ordered_json;

namespace {

// Every image asset is drawn at its own size for each input. Large assets only spend the run's
// time on picture encoding, which the preview tests cover; inputs with them are passed over.
constexpr double kMaxFuzzedAssetArea = 128 * 128;

bool has_large_asset(const QByteArray& bytes) {
    const Json root = Json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (!root.is_object() || !root.contains("assets") || !root["assets"].is_array())
        return false;
    for (const Json& asset : root["assets"]) {
        if (!asset.is_object())
            continue;
        const Json w = asset.value("w", Json());
        const Json h = asset.value("h", Json());
        if (w.is_number() && h.is_number() && w.get<double>() * h.get<double>() > kMaxFuzzedAssetArea)
            return true;
    }
    return false;
}

// A picture beside the movie for assets that name a file.
void write_picture_beside_movies() {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    fuzz::write_scratch(fuzz::scratch_path(QStringLiteral("picture.png")), png);
}

void require_json(const std::string& text, const char* what) {
    fuzz::require(Json::accept(text), what);
}

void prepare(const TemplateMovie& movie, int background_opacity_percent) {
    require_json(movie.lottie_json(background_opacity_percent), "the animation is JSON");
    const TemplateMovie::Parts parts = movie.parts(background_opacity_percent);
    require_json(parts.scene, "the scene is JSON");
    for (const std::string* part : {&parts.background, &parts.still_top, &parts.scene_without_pictures,
                                    &parts.picture_probe})
        if (!part->empty())
            require_json(*part, "each part is JSON");
    fuzz::require(parts.scene_without_pictures.empty() == parts.pictures.empty(),
                  "a scene without pictures exists when pictures are drawn apart");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::ensure_application();
    write_picture_beside_movies();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    if (has_large_asset(bytes))
        return 0;
    const QString path = fuzz::scratch_path(QStringLiteral("movie.json"));
    fuzz::write_scratch(path, bytes);
    try {
        const TemplateMovie movie = TemplateMovie::read(path);
        fuzz::require(movie.total_frames() >= 1, "a movie has frames");
        (void)movie.marker_value(QStringLiteral("l_x_z_q_r_f_c_x_c"));
        prepare(movie, 100);
        prepare(movie, 40);
    } catch (const DataError&) {
        // Refused with a message: the expected end for most inputs.
    }
    return 0;
}
