#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
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

    // The same animation as up to three, laid over one another bottom to top, so the parts
    // rlottie draws slowly can be drawn otherwise:
    //   `background`: a fully opaque background that covers the canvas for the whole movie (see
    //                 lottie_json), alone; empty when there is none or it shows through;
    //   `scene`:      every layer between the two;
    //   `still_top`:  the top layers that never change (no animated property, no parent, matte
    //                 or time remap, shown for the whole movie); empty when the top layer moves.
    // Each part carries only the pictures it shows and no markers.
    //
    // Top-level picture layers of the scene that rlottie need not draw either (no matte, blend
    // mode, 3D, time remap or fixed mask; not moving another layer) are listed in `pictures`
    // and taken out of `scene_without_pictures`; `picture_probe` holds them with the layers that
    // move them, so rlottie's render tree tells where each lands on a frame.
    struct ApartPicture {
        std::string probe_name;   // its layer's name in picture_probe
        QByteArray file;          // the picture's JPEG or PNG bytes, fitted to its asset
        int depth = 0;            // its layer's index in scene, top first
    };
    struct Parts {
        std::string background;
        std::string scene;
        std::string still_top;
        std::vector<ApartPicture> pictures;   // top first
        std::string scene_without_pictures;   // empty when no picture is drawn apart
        std::vector<int> scene_without_pictures_depths;   // each of its layers' index in scene
        std::string picture_probe;
    };
    Parts parts(int background_opacity_percent) const;

private:
    nlohmann::ordered_json prepared(int background_opacity_percent) const;

    QString path_;
    std::shared_ptr<const nlohmann::ordered_json> document_;
    int total_frames_ = 0;
    std::vector<std::pair<QString, QString>> markers_;
};

} // namespace velmora
