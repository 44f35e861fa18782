#pragma once

#include "preview/movie_renderer.h"
#include "preview/template_movie.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

namespace velmora {

// The marker query every template movie, the closing movie and the background demonstration
// movie answer, and the one the start-up movie answers.
inline constexpr const char* kTemplateMarker = "l_x_z_q_r_f_c_x_c";
inline constexpr const char* kTemplateMarkerAnswer = "l_x_z_k_t_f_c_s_y_q_rx_c_w_j";
inline constexpr const char* kStartupMarker = "l_x_z_f_c_q_d_x_c";
inline constexpr const char* kStartupMarkerAnswer = "l_x_z_f_c_s_y_q_d_x_c_w_j";

// The variable that sets the background layer's transparency, "0" to "100".
inline constexpr const char* kBackgroundTransparencyVariable = "num_stop";

// The handle on one template movie player: loads a Lottie movie, seeks, plays on its own
// 25 fps clock and renders frames with rlottie at the host size (the canvas scaled to it).
//
// Single-threaded: every member is called on the thread that owns the object, and play()
// needs that thread's event loop (or QCoreApplication::processEvents) to advance.
// Frames are numbered 0 .. total_frames() - 1; an unloaded player has 0 frames, shows frame 0
// and renders transparent black. Destroying the player frees the movie.
class TemplatePlayer : public QObject {
    Q_OBJECT

public:
    static constexpr int kFramesPerSecond = 25;

    // `name` becomes the objectName (for example "ShockwaveFlash_2"); `host_size` must be
    // non-empty (std::invalid_argument otherwise).
    TemplatePlayer(const QString& name, QSize host_size, QObject* parent = nullptr);
    ~TemplatePlayer() override;

    QSize host_size() const { return host_size_; }
    // Later grabs render at `size`; std::invalid_argument for an empty size, which changes nothing.
    void set_host_size(QSize size);

    // Loads the movie at `path` and shows its frame 0; the playing state is kept. Pictures are
    // read now, so a later load of the same path shows pictures rewritten in between.
    // Throws DataError (message names the file and the fault) when the movie is missing,
    // damaged or refused by rlottie; the player then keeps what it had and stays usable.
    void load(const QString& path);
    // Loads a movie already read, with the background at `background_transparency` (0..100,
    // std::invalid_argument otherwise); the animation is built once, for that transparency.
    // Several players may share one read movie.
    void load(const TemplateMovie& movie, int background_transparency);
    bool is_loaded() const { return movie_.has_value(); }
    // The path of the loaded movie; empty when unloaded.
    QString movie_path() const;

    // The value of the movie's marker `name=value`; empty for an unknown name or no movie.
    QString get_variable(const QString& name) const;
    // True when the movie answers the template marker query with the template answer.
    bool answers_template_marker() const;
    // Only kBackgroundTransparencyVariable is settable: the value is an integer 0..100.
    // Anything else throws std::invalid_argument and changes nothing. See
    // set_background_transparency for what it does and when it may throw DataError.
    void set_variable(const QString& name, const QString& value);

    // The layer wj_y_l_b_j draws at opacity (100 - percent) % of its own animation, now and for
    // every later load until changed. Changing it on a loaded movie rebuilds the animation
    // (tens of milliseconds at 1920 x 1080); setting the current value again costs nothing.
    // std::invalid_argument outside 0..100; DataError if rlottie refuses the rebuilt movie
    // (the previous state stays).
    void set_background_transparency(int percent);
    int background_transparency() const { return background_transparency_; }

    int total_frames() const;
    int frame_num() const { return frame_; }
    // Shows frame k at the next grab, clamped to 0 .. total_frames() - 1.
    void set_frame_num(int k);

    // Advances the frame number by one every 40 ms, back to 0 after the last frame.
    void play();
    void stop();
    bool is_playing() const { return timer_.isActive(); }

    // The current frame at the host size, Format_ARGB32_Premultiplied.
    QImage grab() const;
    // Frame `frame` (clamped like set_frame_num) at the host size; does not move frame_num().
    QImage render(int frame) const;

signals:
    void frame_changed(int frame);

private:
    int clamped(int frame) const;
    void advance();

    QSize host_size_;
    std::optional<TemplateMovie> movie_;
    std::unique_ptr<MovieRenderer> renderer_;
    int background_transparency_ = 0;
    int frame_ = 0;
    QTimer timer_;
};

} // namespace velmora
