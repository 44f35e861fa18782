#include "preview/template_movie.h"

#include "core/data_error.h"
#include "core/json_depth.h"
#include "preview/embedded_picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

// Larger values are damage: refusing them keeps a bad movie from exhausting memory.
constexpr double kMaxAssetSide = 8192;
constexpr double kMaxFrames = 25.0 * 60 * 60 * 24;

[[noreturn]] void fail(const QString& path, const QString& what) {
    throw DataError(QStringLiteral("The movie %1 cannot be played: %2").arg(path, what));
}

Json parsed_document(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    const QByteArray text = file.readAll();
    // Copying and walking the document recurse, here and in rlottie, so depth is bounded first.
    require_json_depth(std::string_view(text.constData(), std::size_t(text.size())),
                       QStringLiteral("The movie %1").arg(path));
    try {
        return Json::parse(text.cbegin(), text.cend());
    } catch (const Json::exception& error) {
        fail(path, QStringLiteral("damaged JSON (%1)").arg(QString::fromUtf8(error.what())));
    }
}

double number(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_number() ? it->get<double>() : 0.0;
}

std::string text(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

void require_movie_shape(const Json& root, const QString& path) {
    if (!root.is_object())
        fail(path, QStringLiteral("not a Lottie animation"));
    if (number(root, "w") <= 0 || number(root, "h") <= 0)
        fail(path, QStringLiteral("no canvas size"));
    const double frames = number(root, "op") - number(root, "ip");
    if (frames < 1 || frames > kMaxFrames)
        fail(path, QStringLiteral("no usable frame range"));
    if (!root.contains("layers") || !root["layers"].is_array())
        fail(path, QStringLiteral("no layers"));
    if (root.contains("assets") && !root["assets"].is_array())
        fail(path, QStringLiteral("damaged assets"));
}

std::vector<std::pair<QString, QString>> markers_of(const Json& root) {
    std::vector<std::pair<QString, QString>> markers;
    const auto list = root.find("markers");
    if (list == root.end() || !list->is_array())
        return markers;
    for (const Json& marker : *list) {
        const QString comment = marker.is_object() ? QString::fromStdString(text(marker, "cm")) : QString();
        const qsizetype equals = comment.indexOf(QLatin1Char('='));
        if (equals > 0)
            markers.emplace_back(comment.left(equals).trimmed(), comment.mid(equals + 1).trimmed());
    }
    return markers;
}

bool is_image_asset(const Json& asset) {
    return asset.is_object() && asset.contains("p") && !asset.contains("layers");
}

QByteArray picture_source(const Json& asset, const QDir& folder) {
    const std::string name = text(asset, "p");
    if (name.rfind("data:", 0) == 0)
        return data_uri_content(QByteArray::fromStdString(name));
    const QString relative = QString::fromStdString(text(asset, "u") + name);
    return read_picture_file(QDir::cleanPath(folder.filePath(relative)));
}

void embed_picture(Json& asset, const QDir& folder, const QString& path) {
    const double width = number(asset, "w");
    const double height = number(asset, "h");
    if (width < 1 || height < 1 || width > kMaxAssetSide || height > kMaxAssetSide)
        fail(path, QStringLiteral("picture %1 has no usable size").arg(QString::fromStdString(text(asset, "id"))));
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    const QByteArray picture = embedded_picture(picture_source(asset, folder), size);
    asset["u"] = "";
    asset["p"] = picture.toStdString();
    asset["e"] = 1;
}

void embed_pictures(Json& root, const QString& path) {
    if (!root.contains("assets"))
        return;
    const QDir folder = QFileInfo(path).absoluteDir();
    for (Json& asset : root["assets"])
        if (is_image_asset(asset))
            embed_picture(asset, folder, path);
}

// Multiplies a keyframe or static value, which is a number or a list of numbers.
void scale_value(Json& value, double factor) {
    if (value.is_number())
        value = value.get<double>() * factor;
    else if (value.is_array())
        for (Json& item : value)
            if (item.is_number())
                item = item.get<double>() * factor;
}

void scale_opacity(Json& opacity, double factor) {
    if (!opacity.is_object())
        opacity = Json{{"a", 0}, {"k", 100}};
    Json& k = opacity["k"];
    const bool keyframed = k.is_array() && !k.empty() && k.front().is_object();
    if (!keyframed) {
        scale_value(k, factor);
        return;
    }
    for (Json& keyframe : k)
        for (const char* key : {"s", "e"})
            if (keyframe.contains(key))
                scale_value(keyframe[key], factor);
}

void fade_background_layers(Json& layers, double factor) {
    if (!layers.is_array())
        return;
    for (Json& layer : layers) {
        if (!layer.is_object() || text(layer, "nm") != TemplateMovie::kBackgroundLayer)
            continue;
        Json& transform = layer["ks"];
        if (!transform.is_object())
            transform = Json::object();
        scale_opacity(transform["o"], factor);
    }
}


// --- Layers hidden under the background -------------------------------------------------
// A background picture that is opaque, unmasked, unrotated, reaching every edge of the canvas
// at each of its scales and shown for the whole movie hides every layer under it. rlottie would still shade
// them on every frame (a full-frame wash costs as much as the picture itself), so they go.

bool is_static(const Json& property) {
    return !property.is_object() || !property.contains("a") || property["a"] == 0;
}

// The static value of a property, or `fallback` when it is absent.
Json static_value(const Json& transform, const char* key, Json fallback) {
    const auto it = transform.find(key);
    return it == transform.end() || !it->is_object() ? fallback : it->value("k", fallback);
}

double coordinate(const Json& point, std::size_t axis) {
    return point.is_array() && point.size() > axis && point[axis].is_number() ? point[axis].get<double>() : 0.0;
}

// The scales a layer takes: its static scale, or every keyframe's value. Nothing when an
// easing could overshoot between keyframes (a control point outside 0..1).
std::optional<std::vector<Json>> scales_of(const Json& transform) {
    const auto it = transform.find("s");
    if (it == transform.end() || !it->is_object())
        return std::vector<Json>{Json::array({100, 100})};
    const Json& k = it->value("k", Json());
    if (is_static(*it))
        return std::vector<Json>{k};
    if (!k.is_array())
        return std::nullopt;
    std::vector<Json> values;
    for (const Json& keyframe : k) {
        if (!keyframe.is_object())
            return std::nullopt;
        for (const char* handle : {"i", "o"})
            if (keyframe.contains(handle) && keyframe[handle].is_object() && keyframe[handle].contains("y"))
                for (const Json& y : keyframe[handle]["y"])
                    if (!y.is_number() || y.get<double>() < 0 || y.get<double>() > 1)
                        return std::nullopt;
        for (const char* key : {"s", "e"})
            if (keyframe.contains(key))
                values.push_back(keyframe[key]);
    }
    return values;
}

// The w x h picture, placed by `position` and `anchor` and scaled by `scale` percent, reaches
// over every edge of the canvas.
bool reaches_edges(const Json& position, const Json& anchor, const Json& scale, double w, double h,
                   double canvas_w, double canvas_h) {
    for (std::size_t axis : {std::size_t(0), std::size_t(1)}) {
        const double factor = coordinate(scale, axis) / 100.0;
        const double size = axis == 0 ? w : h, canvas = axis == 0 ? canvas_w : canvas_h;
        const double start = coordinate(position, axis) - coordinate(anchor, axis) * factor;
        if (start > 0.5 || start + size * factor < canvas - 0.5)
            return false;
    }
    return true;
}

const Json* asset_named(const Json& root, const std::string& id) {
    if (!root.contains("assets"))
        return nullptr;
    for (const Json& asset : root["assets"])
        if (asset.is_object() && text(asset, "id") == id)
            return &asset;
    return nullptr;
}

// A top-level layer drawn on its own terms for the whole movie: no parent, no track matte on
// either side, normal blending, flat, not hidden.
bool is_plain_for_whole_movie(const Json& root, const Json& layer) {
    return layer.is_object() && !layer.contains("parent") && !layer.contains("tt") && !layer.contains("td")
           && number(layer, "bm") == 0 && number(layer, "ddd") == 0 && !(layer.contains("hd") && layer["hd"] == true)
           && number(layer, "ip") <= number(root, "ip") && number(layer, "op") >= number(root, "op");
}

bool covers_canvas(const Json& root, const Json& layer) {
    if (!is_plain_for_whole_movie(root, layer) || text(layer, "nm") != TemplateMovie::kBackgroundLayer
        || number(layer, "ty") != 2 || (layer.contains("masksProperties") && !layer["masksProperties"].empty()))
        return false;
    const Json* asset = asset_named(root, text(layer, "refId"));
    const double w = number(root, "w"), h = number(root, "h");
    // Embedded pictures that fill their asset are JPEGs; one with transparent margins is a PNG.
    if (!asset || text(*asset, "p").rfind("data:image/jpeg", 0) != 0)
        return false;
    const Json transform = layer.value("ks", Json::object());
    for (const char* key : {"o", "r", "p", "a"})
        if (transform.contains(key) && !is_static(transform[key]))
            return false;
    const Json opacity = static_value(transform, "o", 100);
    const Json rotation = static_value(transform, "r", 0);
    if (!opacity.is_number() || opacity.get<double>() < 100 || !rotation.is_number() || rotation.get<double>() != 0)
        return false;
    const std::optional<std::vector<Json>> scales = scales_of(transform);
    if (!scales)
        return false;
    const Json position = static_value(transform, "p", Json::array({0, 0}));
    const Json anchor = static_value(transform, "a", Json::array({0, 0}));
    for (const Json& scale : *scales)
        if (!reaches_edges(position, anchor, scale, number(*asset, "w"), number(*asset, "h"), w, h))
            return false;
    return true;
}

// The index of the top-level background layer that covers the canvas; the layer count when
// there is none.
std::size_t covering_background(const Json& root) {
    const Json& layers = root["layers"];
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (covers_canvas(root, layers[i]))
            return i;
    return layers.size();
}

// Layers come top first; those after a covering background are under it. A hidden layer that
// a visible one is parented to stays: its transform still moves the visible one.
void drop_layers_under_background(Json& root) {
    Json& layers = root["layers"];
    const std::size_t background = covering_background(root);
    if (background + 1 >= layers.size())
        return;
    std::vector<double> parents;
    for (std::size_t i = 0; i <= background; ++i)
        if (layers[i].is_object() && layers[i].contains("parent"))
            parents.push_back(number(layers[i], "parent"));
    Json kept = Json::array();
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (i <= background || std::find(parents.begin(), parents.end(), number(layers[i], "ind")) != parents.end())
            kept.push_back(std::move(layers[i]));
    layers = std::move(kept);
}

// --- The movie in parts --------------------------------------------------------------------

bool refers_to(const Json& layers, const std::string& asset_id) {
    for (const Json& layer : layers)
        if (layer.is_object() && text(layer, "refId") == asset_id)
            return true;
    return false;
}

// Whether any layer, at the top or inside a precomposition, shows the asset `id`.
bool asset_in_use(const Json& root, const std::string& id) {
    if (refers_to(root["layers"], id))
        return true;
    const auto assets = root.find("assets");
    if (assets != root.end())
        for (const Json& asset : *assets)
            if (asset.is_object() && asset.contains("layers") && refers_to(asset["layers"], id))
                return true;
    return false;
}

void drop_unused_assets(Json& root) {
    if (!root.contains("assets"))
        return;
    Json kept = Json::array();
    for (Json& asset : root["assets"])
        if (!asset.is_object() || asset.contains("layers") || asset_in_use(root, text(asset, "id")))
            kept.push_back(std::move(asset));
    root["assets"] = std::move(kept);
}

// The movie's settings with `layers` as its layers and the pictures they show as its assets.
Json movie_of_layers(const Json& root, Json layers) {
    Json movie = Json::object();
    for (const auto& [key, value] : root.items())
        if (key != "layers" && key != "assets" && key != "markers")
            movie[key] = value;
    movie["assets"] = Json::array();
    for (const Json& layer : layers)
        if (const Json* asset = asset_named(root, text(layer, "refId")))
            movie["assets"].push_back(*asset);
    movie["layers"] = std::move(layers);
    return movie;
}

bool parents_a_layer(const Json& layers, const Json& layer) {
    if (!layer.contains("ind"))
        return false;
    for (const Json& other : layers)
        if (other.is_object() && other.contains("parent") && other["parent"] == layer["ind"])
            return true;
    return false;
}

// Takes the covering background out of `scene` (whose layers under it are already dropped)
// as a movie of its own.
std::optional<Json> take_covering_background(Json& scene) {
    Json& layers = scene["layers"];
    const std::size_t background = covering_background(scene);
    // A layer moved by the background needs it in the same animation.
    if (background == layers.size() || parents_a_layer(layers, layers[background]))
        return std::nullopt;
    // What is left under the background are parents kept for their transforms; drawn above it
    // they would show, so only invisible nulls may stay.
    for (std::size_t i = background + 1; i < layers.size(); ++i)
        if (number(layers[i], "ty") != 3)
            return std::nullopt;
    Json movie = movie_of_layers(scene, Json::array({layers[background]}));
    layers.erase(layers.begin() + std::ptrdiff_t(background));
    return movie;
}

// True when some property in `value` changes over time: animated ("a": 1), given as
// keyframes, or computed by an expression.
bool changes(const Json& value) {
    if (value.is_array()) {
        for (const Json& item : value)
            if (changes(item))
                return true;
        return false;
    }
    if (!value.is_object())
        return false;
    const auto animated = value.find("a");
    if (animated != value.end() && animated->is_number() && animated->get<double>() != 0)
        return true;
    const auto keys = value.find("k");
    if (keys != value.end() && keys->is_array() && !keys->empty() && keys->front().is_object()
        && keys->front().contains("t"))
        return true;
    const auto expression = value.find("x");
    if (expression != value.end() && expression->is_string())
        return true;
    for (const auto& item : value)
        if (changes(item))
            return true;
    return false;
}

// A plain solid, picture or shape layer without time remap, shown unchanged for the whole movie.
bool is_still(const Json& root, const Json& layer) {
    const double type = number(layer, "ty");
    return is_plain_for_whole_movie(root, layer) && (type == 1 || type == 2 || type == 4) && !layer.contains("tm")
           && !changes(layer) && !parents_a_layer(root["layers"], layer);
}

// Takes the unchanging layers at the top of `scene` out as a movie of their own.
std::optional<Json> take_still_top(Json& scene) {
    Json& layers = scene["layers"];
    std::size_t still = 0;
    while (still < layers.size() && is_still(scene, layers[still]))
        ++still;
    if (still == 0)
        return std::nullopt;
    Json top = movie_of_layers(scene, Json(layers.begin(), layers.begin() + std::ptrdiff_t(still)));
    layers.erase(layers.begin(), layers.begin() + std::ptrdiff_t(still));
    return top;
}

// A reveal: a mask that only adds, at full strength, whose outline moves. Once it has opened
// over the whole picture it no longer clips; a fixed mask clips for good.
bool is_reveal_mask(const Json& mask) {
    if (!mask.is_object() || mask.value("mode", std::string("a")) != "a" || (mask.contains("inv") && mask["inv"] == true))
        return false;
    const Json expansion = static_value(mask, "x", 0);
    const bool expands = mask.contains("x") && (!is_static(mask["x"]) || !expansion.is_number() || expansion != 0);
    return !expands && mask.contains("pt") && changes(mask["pt"]);
}

// A picture layer rlottie's render tree places and whose picture (embedded_file) can be laid by
// other means wherever nothing else lies over it.
bool is_apart_picture(const Json& scene, const Json& layer) {
    if (!layer.is_object() || number(layer, "ty") != 2 || text(layer, "nm") == TemplateMovie::kBackgroundLayer
        || layer.contains("tt") || layer.contains("td") || layer.contains("tm") || number(layer, "bm") != 0
        || number(layer, "ddd") != 0 || (layer.contains("hd") && layer["hd"] == true)
        || parents_a_layer(scene["layers"], layer))
        return false;
    if (layer.contains("masksProperties"))
        for (const Json& mask : layer["masksProperties"])
            if (!is_reveal_mask(mask))
                return false;
    return true;
}

// The bytes of the picture a picture layer shows, as embedded in its asset; empty when there is none.
QByteArray embedded_file(const Json& scene, const Json& layer) {
    const Json* asset = asset_named(scene, text(layer, "refId"));
    return asset ? data_uri_content(QByteArray::fromStdString(text(*asset, "p"))) : QByteArray();
}

// The indices of `layer`'s ancestors through "parent".
std::vector<std::size_t> ancestors_of(const Json& layers, std::size_t layer) {
    std::vector<std::size_t> found;
    for (std::size_t at = layer; layers[at].contains("parent");) {
        const auto parent = std::find_if(layers.begin(), layers.end(), [&](const Json& other) {
            return other.is_object() && other.contains("ind") && other["ind"] == layers[at]["parent"];
        });
        const auto index = std::size_t(parent - layers.begin());
        if (parent == layers.end() || std::find(found.begin(), found.end(), index) != found.end())
            break;
        found.push_back(index);
        at = index;
    }
    return found;
}

Json without_layers(const Json& scene, const std::vector<bool>& taken) {
    Json rest = scene;
    Json kept = Json::array();
    for (std::size_t i = 0; i < taken.size(); ++i)
        if (!taken[i])
            kept.push_back(scene["layers"][i]);
    rest["layers"] = std::move(kept);
    drop_unused_assets(rest);
    return rest;
}

std::string dumped(const Json& root) {
    return root.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Lists the scene's pictures that can be drawn apart, with the scene without them and the probe
// that places them.
void take_pictures_apart(const Json& scene, TemplateMovie::Parts& parts) {
    const Json& layers = scene["layers"];
    std::vector<bool> apart(layers.size(), false), in_probe(layers.size(), false);
    std::vector<QByteArray> files(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (!is_apart_picture(scene, layers[i]) || (files[i] = embedded_file(scene, layers[i])).isEmpty())
            continue;
        apart[i] = in_probe[i] = true;
        for (const std::size_t ancestor : ancestors_of(layers, i))
            in_probe[ancestor] = true;
    }
    if (std::find(apart.begin(), apart.end(), true) == apart.end())
        return;
    Json probe_layers = Json::array();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (!in_probe[i])
            continue;
        probe_layers.push_back(layers[i]);
        if (!apart[i])
            continue;
        const std::string name = "apart picture " + std::to_string(parts.pictures.size());
        probe_layers.back()["nm"] = name;
        parts.pictures.push_back({name, std::move(files[i]), int(i)});
    }
    // The probe is never drawn: a one-pixel stand-in spares rlottie decoding each picture again.
    Json probe = movie_of_layers(scene, std::move(probe_layers));
    const std::string stand_in = embedded_picture(QByteArray(), QSize(1, 1)).toStdString();
    for (Json& asset : probe["assets"])
        if (is_image_asset(asset))
            asset["p"] = stand_in;
    parts.picture_probe = dumped(probe);
    parts.scene_without_pictures = dumped(without_layers(scene, apart));
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (!apart[i])
            parts.scene_without_pictures_depths.push_back(int(i));
}

} // namespace

TemplateMovie TemplateMovie::read(const QString& path) {
    Json root = parsed_document(path);
    require_movie_shape(root, path);
    embed_pictures(root, path);

    TemplateMovie movie;
    movie.path_ = path;
    movie.total_frames_ = static_cast<int>(number(root, "op") - number(root, "ip"));
    movie.markers_ = markers_of(root);
    movie.document_ = std::make_shared<const Json>(std::move(root));
    return movie;
}

QString TemplateMovie::marker_value(const QString& name) const {
    for (const auto& [marker, value] : markers_)
        if (marker == name)
            return value;
    return {};
}

Json TemplateMovie::prepared(int background_opacity_percent) const {
    Json root = *document_;
    if (background_opacity_percent >= 100) {
        drop_layers_under_background(root);
        return root;
    }
    const double factor = background_opacity_percent / 100.0;
    fade_background_layers(root["layers"], factor);
    // Precompositions keep their layers in the assets; the background may sit in one.
    if (root.contains("assets"))
        for (Json& asset : root["assets"])
            if (asset.is_object() && asset.contains("layers"))
                fade_background_layers(asset["layers"], factor);
    return root;
}

std::string TemplateMovie::lottie_json(int background_opacity_percent) const {
    return dumped(prepared(background_opacity_percent));
}

TemplateMovie::Parts TemplateMovie::parts(int background_opacity_percent) const {
    Json scene = prepared(background_opacity_percent);
    Parts parts;
    if (background_opacity_percent >= 100)
        if (const std::optional<Json> background = take_covering_background(scene))
            parts.background = dumped(*background);
    if (const std::optional<Json> top = take_still_top(scene))
        parts.still_top = dumped(*top);
    drop_unused_assets(scene);
    take_pictures_apart(scene, parts);
    parts.scene = dumped(scene);
    return parts;
}

} // namespace velmora
