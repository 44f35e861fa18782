#pragma once

#include "preview/template_player.h"
#include "production/frame_layers.h"
#include "production/production_state.h"
#include "production/workspace_paths.h"
#include "templates/album.h"

#include <QImage>
#include <array>
#include <future>
#include <memory>

namespace velmora {

// The album's frames, one after another, from a prepared workspace: frame 0 is black, then
// each template movie frame by frame (the next template starts after a movie's last frame and
// shows that frame through picture_0.jpg), then the closing movie, whose last frame repeats
// until the album's frame total. Under music sync the templates repeat in order and the
// closing movie takes the last 150 frames.
//
// A frame source: it knows nothing of who consumes the frames. The production run writes each
// to the frame file for the encoder; the album preview can draw them from its own clock.
// Reads and updates `state` (frame counters, template position, song position); `state`,
// `album` and `layers` outlive it. One thread.
class FrameAssembly {
public:
    static constexpr int kClosingFrames = 150;

    FrameAssembly(ProductionState& state, const WorkspacePaths& paths, const Album& album, FrameLayers& layers);
    ~FrameAssembly();

    // Loads the movie of the first usable template. Throws DataError when the movie is missing,
    // damaged or not a template movie.
    void load_first_template();
    // Starts the first song play with a frame; its lyrics are loaded through
    // FrameLayers::song_started. Without songs the song clock stays off.
    void start_first_song() { start_song(0); }

    // Makes frame number `state.zhizuo_zhenshu_leijia_sum`, counts it, and moves the song clock
    // on. Returns an opaque picture of the render size. Throws DataError when a movie it
    // switches to cannot be loaded or the snapshot cannot be written.
    QImage next_frame();

    // The album frame at which the closing movie starts under music sync.
    int closing_start() const;
    const TemplatePlayer& player() const { return player_; }
    // Frame `frame` of the loaded movie. Two players hold the movie, one for the even frames
    // and one for the odd; while the caller works on frame k they render k + 1 and k + 2 on
    // their own threads, so rendering overlaps itself, the caller and the encoder.
    QImage render_movie_frame(int frame);

private:
    QImage movie_frame(int album_frame);
    void movie_ended(const QImage& last_frame);
    void start_next_template();
    void load_template(int position);
    void load_closing_movie();
    void load_movie(const QString& path, int transparency);
    void write_snapshot(const QImage& frame);
    void drop_frame_ahead();
    QImage take_frame(int frame);
    void start_frame_ahead(int frame);
    const TemplatePlayer& renderer_of(int frame) const { return frame % 2 == 0 ? player_ : partner_; }
    void advance_song();
    void start_song(int row);
    bool showing_closing() const;

    ProductionState& state_;
    const WorkspacePaths& paths_;
    const Album& album_;
    FrameLayers& layers_;
    TemplatePlayer player_;
    TemplatePlayer partner_;          // the same movie: player_ renders even frames, partner_ odd
    struct FrameAhead {
        int frame = -1;
        std::future<QImage> picture;
    };
    std::array<FrameAhead, 2> ahead_;   // by frame parity, like the players
    QImage held_;          // the last frame made, repeated once the closing movie ended
    QImage held_base_;     // a movie's last frame without the lyric line, for the snapshot
};

// An opaque black picture of `size`: the album's first frame.
QImage black_frame(QSize size);

} // namespace velmora
