#include "preview/template_movie.h"

#include "core/data_error.h"
#include "preview/embedded_picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <nlohmann/json.hpp>

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

std::string dumped(const Json& root) {
    return root.dump(-1, ' ', false, Json::error_handler_t::replace);
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

std::string TemplateMovie::lottie_json(int background_opacity_percent) const {
    if (background_opacity_percent >= 100)
        return dumped(*document_);
    Json root = *document_;
    const double factor = background_opacity_percent / 100.0;
    fade_background_layers(root["layers"], factor);
    // Precompositions keep their layers in the assets; the background may sit in one.
    if (root.contains("assets"))
        for (Json& asset : root["assets"])
            if (asset.is_object() && asset.contains("layers"))
                fade_background_layers(asset["layers"], factor);
    return dumped(root);
}

} // namespace velmora
