#include "movie_elements.h"

#include <algorithm>

#include <cmath>
#include <stdexcept>

#include "lottie_shapes.h"

namespace velmora::databuild {
namespace {

constexpr double kCanvasW = 1920, kCanvasH = 1080;

std::vector<Keyframe> keys_or(const json& e, const char* key, std::vector<double> fallback) {
    if (!e.contains(key))
        return {{0, std::move(fallback), Ease::Hold}};
    std::vector<Keyframe> keys = keyframes_from_json(e.at(key));
    if (fallback.size() == 2)
        for (Keyframe& k : keys)
            if (k.value.size() == 1)
                k.value.push_back(k.value[0]); // a scalar scale applies to both axes
    return keys;
}

// The element's own motion: position, uniform scale, rotation.
LayerTransform motion_of(const json& e) {
    LayerTransform t;
    t.position = keys_or(e, "position", {kCanvasW / 2, kCanvasH / 2});
    t.scale = keys_or(e, "scale", {100, 100});
    t.rotation = keys_or(e, "rotation", {0});
    return t;
}

std::vector<Keyframe> opacity_of(const json& e) {
    return keys_or(e, "opacity", {100});
}

std::pair<int, int> picture_size(const ElementContext& c, const std::string& id) {
    const auto it = c.picture_sizes.find(id);
    if (it == c.picture_sizes.end())
        throw std::runtime_error("element shows picture " + id + ", which the template does not list");
    return it->second;
}

// A soft shadow: rounded rectangles growing outwards at falling opacity, offset downwards.
// Each is a ring around the w x h picture it lies under: the picture hides the middle, and
// filling only the ring spares the renderer most of the pixels on every frame.
json soft_shadow_shapes(double w, double h, double radius, double strength, double spread) {
    constexpr double kHoleInset = 2;
    const json hole = rect_shape(w - 2 * kHoleInset, h - 2 * kHoleInset, std::max(radius - kHoleInset, 0.0), 0, 0);
    std::vector<json> items;
    constexpr int kSteps = 7;
    for (int i = kSteps; i >= 1; --i) {
        const double grow = spread * i / kSteps;
        items.push_back(group({rect_shape(w + grow * 2, h + grow * 2, radius + grow, 0, spread * 0.45), hole,
                               fill(Colour{0.02, 0.02, 0.05}, strength * 100.0 / kSteps, true)}));
    }
    return items;
}

// A reveal mask in the picture's own pixels: "wipe" opens left to right, "iris" grows a
// circle from the middle, "rise" opens bottom to top, "split" opens from the middle outwards.
json reveal_mask(const json& reveal, double left, double top, double w, double h) {
    const std::string style = reveal.at("style").get<std::string>();
    const double from = reveal.at("from").get<double>(), to = reveal.at("to").get<double>();
    std::vector<std::pair<double, BezierContour>> frames;
    if (style == "wipe")
        frames = {{from, rect_contour(left, top, 0.1, h)}, {to, rect_contour(left, top, w, h)}};
    else if (style == "rise")
        frames = {{from, rect_contour(left, top + h, w, 0.1)}, {to, rect_contour(left, top, w, h)}};
    else if (style == "split")
        frames = {{from, rect_contour(left + w / 2, top, 0.1, h)}, {to, rect_contour(left, top, w, h)}};
    else if (style == "iris") {
        const double r = std::hypot(w, h) / 2 + 2;
        frames = {{from, ellipse_contour(left + w / 2, top + h / 2, 0.1, 0.1)},
                  {to, ellipse_contour(left + w / 2, top + h / 2, r, r)}};
    } else
        throw std::runtime_error("unknown reveal style " + style);
    return mask(animated_mask_path(frames, Ease::Out));
}

void add_photo(ElementContext& c, const json& e) {
    const std::string id = e.at("picture").get<std::string>();
    const auto [aw, ah] = picture_size(c, id);
    const double width = e.at("width").get<double>();
    const double height = width * ah / aw;
    const double base = width / aw * 100.0;
    const double border = e.value("border", 0.0);
    const double radius = e.value("radius", 0.0);
    const std::vector<Keyframe> opacity = opacity_of(e);

    const int holder = c.movie.add_layer(null_layer(id + " motion", motion_of(e)));
    if (e.contains("shadow")) {
        LayerTransform t;
        t.opacity = opacity;
        const double spread = e.value("shadow_spread", 36.0);
        json shadow = shape_layer(id + " shadow",
                                  soft_shadow_shapes(width + border * 2, height + border * 2, radius,
                                                     e.at("shadow").get<double>(), spread),
                                  t);
        if (e.contains("reveal")) // the shadow opens with the picture, margin and all
            add_mask(shadow, reveal_mask(e.at("reveal"), -width / 2 - border - spread, -height / 2 - border - spread,
                                         width + 2 * (border + spread), height + 2 * (border + spread) + spread));
        c.movie.add_layer(std::move(shadow), holder);
    }
    if (border > 0) {
        LayerTransform t;
        t.opacity = opacity;
        const Colour mat = Colour::from_hex(e.value("border_colour", std::string("#ffffff")));
        json frame = shape_layer(id + " frame",
                                 {group({rect_shape(width + border * 2, height + border * 2, radius), fill(mat)})}, t);
        if (e.contains("reveal"))
            add_mask(frame, reveal_mask(e.at("reveal"), -width / 2 - border, -height / 2 - border,
                                        width + 2 * border, height + 2 * border));
        c.movie.add_layer(std::move(frame), holder);
    }
    LayerTransform t;
    t.anchor = {aw / 2.0, ah / 2.0};
    t.scale = {{0, {base, base}, Ease::Hold}};
    t.opacity = opacity;
    json layer = image_layer(id, id, t);
    if (e.contains("reveal"))
        add_mask(layer, reveal_mask(e.at("reveal"), 0, 0, aw, ah));
    c.movie.add_layer(std::move(layer), holder);
}

// A reflection: the picture flipped below the holder's origin, cut to the upper `length` of
// its height, seen at `strength`, darkening downwards into `fade_colour` and crossed by a few
// faint ripples. (rlottie 0.1 draws no track mattes, so the fade is an overlay.)
void add_mirror(ElementContext& c, const json& e) {
    const std::string id = e.at("picture").get<std::string>();
    const auto [aw, ah] = picture_size(c, id);
    const double width = e.at("width").get<double>();
    const double base = width / aw * 100.0;
    const double strength = e.value("strength", 0.35);
    const double length = e.value("length", 0.5);
    const double shown = width * ah / aw * length;
    const std::vector<Keyframe> opacity = opacity_of(e);

    const int holder = c.movie.add_layer(null_layer(id + " motion", motion_of(e)));
    LayerTransform image;
    image.anchor = {aw / 2.0, double(ah)}; // flipped about its bottom edge, which meets the water line
    image.scale = {{0, {base, -base}, Ease::Hold}};
    image.opacity = scaled_keys(opacity, {strength});
    json layer = image_layer(id, id, image);
    add_mask(layer, mask(static_mask_path(rect_contour(0, ah * (1 - length), aw, ah * length))));
    c.movie.add_layer(std::move(layer), holder);

    const Colour deep = Colour::from_hex(e.value("fade_colour", std::string("#101820")));
    const Colour light{1, 1, 1};
    std::vector<json> overlay = {group({rect_shape(width + 2, shown + 2, 0, 0, shown / 2),
                                        gradient_fill({{0, deep, 0.1}, {1, deep, 0.6}}, {0, 0}, {0, shown})})};
    for (int i = 1; i <= 4; ++i) {
        const double y = shown * (0.12 + 0.2 * i) * 0.9;
        overlay.push_back(group({rect_shape(width * (0.9 - 0.12 * i), 2, 1, 0, y), fill(light, 18.0 - 3 * i)}));
    }
    LayerTransform t;
    t.opacity = opacity;
    c.movie.add_layer(shape_layer(id + " water", std::move(overlay), t), holder);
}

json paint_of(const json& e) {
    const Colour colour = Colour::from_hex(e.value("colour", std::string("#ffffff")));
    if (e.contains("stroke"))
        return stroke(colour, e.at("stroke").get<double>(), e.value("alpha", 100.0));
    return fill(colour, e.value("alpha", 100.0));
}

json geometry_of(const json& e) {
    const std::string shape = e.at("shape").get<std::string>();
    const std::vector<double> size = e.at("size").get<std::vector<double>>();
    const std::vector<double> at = e.value("at", std::vector<double>{0, 0}); // offset from the layer's origin
    if (shape == "circle" || shape == "ring")
        return ellipse_shape(size.at(0), size.at(1), at.at(0), at.at(1));
    if (shape == "rect")
        return rect_shape(size.at(0), size.at(1), e.value("radius", 0.0), at.at(0), at.at(1));
    if (shape == "polygon") {
        BezierContour outline;
        for (const json& point : e.at("points"))
            outline.add_corner({point.at(0).get<double>() - size.at(0) / 2, point.at(1).get<double>() - size.at(1) / 2});
        return path_shape(outline);
    }
    if (shape == "line") {
        BezierContour line;
        line.closed = false;
        line.add_corner({-size.at(0) / 2, 0});
        line.add_corner({size.at(0) / 2, 0});
        return path_shape(line);
    }
    throw std::runtime_error("unknown shape " + shape);
}

void add_shape(ElementContext& c, const json& e) {
    std::vector<json> items = {geometry_of(e)};
    if (e.contains("draw")) {
        const std::vector<double> span = e.at("draw").get<std::vector<double>>();
        items.push_back(trim_paths({{0, {0}}}, {{span.at(0), {0}, Ease::Smooth}, {span.at(1), {100}}}));
    } else if (e.contains("trim_span")) { // a fixed arc of the outline, start..end percent
        const std::vector<double> span = e.at("trim_span").get<std::vector<double>>();
        items.push_back(trim_paths({{0, {span.at(0)}}}, {{0, {span.at(1)}}}));
    }
    items.push_back(paint_of(e));
    std::vector<json> shapes = {group(std::move(items))};
    if (e.contains("repeat")) {
        const json& r = e.at("repeat");
        shapes.push_back(repeater(r.at("copies").get<int>(), r.value("step", std::vector<double>{0, 0}),
                                  r.value("rotation", 0.0)));
        shapes = {group(std::move(shapes))};
    }
    LayerTransform t = motion_of(e);
    t.opacity = opacity_of(e);
    c.movie.add_layer(shape_layer(e.value("name", std::string("decoration")), std::move(shapes), t));
}

void add_glow(ElementContext& c, const json& e) {
    const double size = e.at("size").get<double>();
    const Colour colour = Colour::from_hex(e.value("colour", std::string("#ffffff")));
    const double alpha = e.value("alpha", 0.5);
    LayerTransform t = motion_of(e);
    t.opacity = opacity_of(e);
    json shape = group({ellipse_shape(size, size),
                        gradient_fill({{0, colour, alpha}, {0.45, colour, alpha * 0.35}, {1, colour, 0}},
                                      {0, 0}, {size / 2, 0}, true)});
    c.movie.add_layer(shape_layer("glow", {shape}, t));
}

// Letters fade in and rise one after another from `enter`, `stagger` frames apart.
void add_title(ElementContext& c, const json& e) {
    const QRawFont font = c.fonts.font(e.value("font", std::string("serif")), e.value("weight", std::string("regular")),
                                       e.at("size").get<double>());
    const TextOutline text = outline_text(QString::fromStdString(e.at("text").get<std::string>()), font,
                                          e.value("tracking", 0.0));
    const Colour colour = Colour::from_hex(e.value("colour", std::string("#ffffff")));
    const double enter = e.value("enter", 0.0), stagger = e.value("stagger", 3.0);
    const double rise = e.value("rise", 26.0), fade = e.value("fade_frames", 18.0);
    const double cap = font.capHeight();

    std::vector<json> letters;
    for (size_t i = 0; i < text.glyphs.size(); ++i) {
        std::vector<json> items;
        for (const BezierContour& contour : text.glyphs[i].contours)
            items.push_back(path_shape(contour));
        items.push_back(fill(colour, 100, true));
        GroupTransform g;
        if (e.value("letters_enter", true)) {
            const double start = enter + stagger * double(i);
            g.position = {{start, {0, rise}, Ease::Out}, {start + fade * 1.4, {0, 0}}};
            g.opacity = {{start, {0}, Ease::Smooth}, {start + fade, {100}}};
        }
        letters.push_back(group(std::move(items), g));
    }
    LayerTransform t = motion_of(e);
    t.anchor = {text.width / 2, -cap / 2}; // the position names the middle of the capitals
    t.opacity = opacity_of(e);
    c.movie.add_layer(shape_layer("title " + e.at("text").get<std::string>(), std::move(letters), t));
}

void add_vignette(ElementContext& c, const json& e) {
    const double alpha = e.value("alpha", 0.45);
    const Colour dark{0.01, 0.01, 0.03};
    LayerTransform t;
    t.position = {{0, {kCanvasW / 2, kCanvasH / 2}, Ease::Hold}};
    t.scale = {{0, {100, 56.25}, Ease::Hold}}; // a round gradient squeezed to the frame's shape
    t.opacity = opacity_of(e);
    // The middle of the gradient is clear: a hole there (filled even-odd) spares the renderer
    // two thirds of the frame's pixels.
    constexpr double kClearStop = 0.55;
    const double radius = kCanvasW * 0.85;
    const double hole = 2 * radius * (kClearStop - 0.01);
    json shape = group({rect_shape(kCanvasW * 1.2, kCanvasW * 1.2, 0), ellipse_shape(hole, hole, 0, 0),
                        gradient_fill({{0, dark, 0}, {kClearStop, dark, 0}, {1, dark, alpha}}, {0, 0},
                                      {radius, 0}, true, true)});
    c.movie.add_layer(shape_layer("vignette", {shape}, t));
}

} // namespace

void add_element(ElementContext& context, const json& element) {
    const std::string kind = element.at("kind").get<std::string>();
    if (kind == "photo") add_photo(context, element);
    else if (kind == "mirror") add_mirror(context, element);
    else if (kind == "shape") add_shape(context, element);
    else if (kind == "glow") add_glow(context, element);
    else if (kind == "title") add_title(context, element);
    else if (kind == "vignette") add_vignette(context, element);
    else throw std::runtime_error("unknown element kind " + kind);
}

void add_base_wash(Movie& movie, const json& colours) {
    const Colour top = Colour::from_hex(colours.at(0).get<std::string>());
    const Colour bottom = Colour::from_hex(colours.at(1).get<std::string>());
    LayerTransform t;
    t.position = {{0, {kCanvasW / 2, kCanvasH / 2}, Ease::Hold}};
    json shape = group({rect_shape(kCanvasW, kCanvasH, 0),
                        gradient_fill({{0, top, 1}, {1, bottom, 1}}, {0, -kCanvasH / 2}, {0, kCanvasH / 2})});
    movie.add_layer(shape_layer("base", {shape}, t));
}

} // namespace velmora::databuild
