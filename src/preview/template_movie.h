#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// One template movie as read from disk: a Lottie JSON animation whose image assets have been
// resolved against the movie's folder and embedded, each fitted to its asset's w x h.
// A value type; it holds no file open and does not look at the pictures again.
// The JSON keeps its key order: rlottie reads a shape's "ty" before the keys that follow it.
class TemplateMovie {
public:
    // The image layer that shows the background picture.
    static constexpr const char* kBackgroundLayer = "wj_y_l_b_j";

    // Reads the movie at `path` (any extension; the content is JSON) and the pictures it names.
    // Throws DataError naming the file when it cannot be read, is not JSON, or lacks what every
    // movie has (w, h, ip < op, layers; a usable size on every image asset). Missing or
    // undecodable pictures are not errors: they become transparent pictures of their asset's size.
    static TemplateMovie read(const QString& path);

    const QString& path() const { return path_; }
    // op - ip: the movie has frames 0 .. total_frames() - 1.
    int total_frames() const { return total_frames_; }
    // The value of the first marker whose comment is `name=value`; empty when there is none.
    QString marker_value(const QString& name) const;

    // The animation for rlottie, with every layer named kBackgroundLayer drawn at
    // `background_opacity_percent` (0..100) of its own, possibly animated, opacity. Fully
    // opaque, a background that covers the canvas hides what lies under it: those layers are
    // left out, since they can never show.
    std::string lottie_json(int background_opacity_percent) const;

    // A fully opaque movie whose background covers the canvas, as two animations: `background`
    // holds only the background layer and its picture, `scene` every layer drawn over it.
    // Laying the scene over the background gives the movie's frames.
    struct BackgroundApart {
        std::string scene;
        std::string background;
    };
    // Nothing when the background does not cover the canvas for the whole movie (see
    // lottie_json) or when a layer under it must stay for its transform and is not a null.
    std::optional<BackgroundApart> background_apart() const;

private:
    QString path_;
    std::shared_ptr<const nlohmann::ordered_json> document_;
    int total_frames_ = 0;
    std::vector<std::pair<QString, QString>> markers_;
};

} // namespace velmora
