#include "designed_movie.h"

#include "movie_elements.h"
#include "movie_markers.h"
#include "previous_frame_exit.h"

namespace velmora::databuild {
namespace {

constexpr int kW = 1920, kH = 1080;

// The background picture covers the frame and drifts slowly: the design's scale keys, or a
// gentle push-in over the whole movie.
void add_background(Movie& movie, const json& design) {
    movie.add_image_asset(kBackgroundId, kW, kH, "", "wj_y_l_b_j.jpg");
    LayerTransform t;
    t.anchor = {kW / 2.0, kH / 2.0};
    t.position = {{0, {kW / 2.0, kH / 2.0}, Ease::Hold}};
    if (design.contains("background_scale")) {
        t.scale = keyframes_from_json(design.at("background_scale"));
        for (Keyframe& k : t.scale)
            if (k.value.size() == 1)
                k.value.push_back(k.value[0]);
    } else {
        t.scale = {{0, {100, 100}, Ease::Linear}, {double(movie.frames()), {106, 106}}};
    }
    movie.add_layer(image_layer(kBackgroundId, kBackgroundId, t));
}

} // namespace

json designed_movie(const MovieFrame& frame, const json& design, const TitleFonts& fonts) {
    Movie movie(kW, kH, frame.frames);
    add_base_wash(movie, design.value("base", json::array({"#1c1d26", "#2c2a35"})));
    if (frame.background)
        add_background(movie, design);
    if (frame.previous_frame) {
        const json& intro = design.at("intro");
        add_previous_frame_exit(movie, intro.at("style").get<std::string>(), intro.at("frames").get<double>());
    }
    ElementContext context{movie, fonts, frame.pictures};
    for (const auto& [id, size] : frame.pictures)
        movie.add_image_asset(id, size.first, size.second, "", id + ".jpg");
    for (const json& element : design.at("elements"))
        add_element(context, element);
    movie.add_marker(frame.marker);
    return movie.to_json(frame.name);
}

} // namespace velmora::databuild
