#include "production/frame_assembly.h"

#include "core/clock.h"
#include "core/data_error.h"
#include "core/jpeg_writer.h"

#include <QFileInfo>
#include <QPainter>

namespace velmora {
namespace {

// rlottie leaves alpha just below opaque even where a movie is fully covered. Its pictures are
// premultiplied, so laying one over black keeps the colour channels as they are: setting every
// alpha to opaque gives the same picture without a blend. A frame the renderer knows to be
// opaque comes as Format_RGB32 and needs nothing.
QImage over_black(QImage movie_frame) {
    if (movie_frame.format() == QImage::Format_RGB32)
        return movie_frame;
    const int pixels = movie_frame.width() * movie_frame.height();
    if (movie_frame.format() != QImage::Format_ARGB32_Premultiplied
        || movie_frame.bytesPerLine() != movie_frame.width() * 4) {
        QImage frame = black_frame(movie_frame.size());
        QPainter(&frame).drawImage(0, 0, movie_frame);
        return frame;
    }
    auto* pixel = reinterpret_cast<QRgb*>(movie_frame.bits());
    for (int i = 0; i < pixels; ++i)
        pixel[i] |= 0xFF000000u;
    movie_frame.reinterpretAsFormat(QImage::Format_RGB32);
    return movie_frame;
}

} // namespace

QImage black_frame(QSize size) {
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::black);
    return frame;
}

FrameAssembly::FrameAssembly(ProductionState& state, const WorkspacePaths& paths, const Album& album,
                             FrameLayers& layers)
    : state_(state), paths_(paths), album_(album), layers_(layers),
      player_(QStringLiteral("ShockwaveFlash1"), state.Falsh_size),
      partner_(QStringLiteral("ShockwaveFlash1_ahead"), state.Falsh_size) {}

FrameAssembly::~FrameAssembly() { drop_frame_ahead(); }

QImage FrameAssembly::render_movie_frame(int frame) {
    QImage picture = take_frame(frame);
    start_frame_ahead(frame + 1);
    start_frame_ahead(frame + 2);
    return picture;
}

// The frame from its player's thread when it was started ahead, else rendered here.
QImage FrameAssembly::take_frame(int frame) {
    FrameAhead& ahead = ahead_[std::size_t(frame % 2)];
    if (ahead.frame == frame) {
        ahead.frame = -1;
        return ahead.picture.get();
    }
    if (ahead.picture.valid())
        ahead.picture.wait();
    ahead = {};
    return renderer_of(frame).render(frame);
}

void FrameAssembly::start_frame_ahead(int frame) {
    FrameAhead& ahead = ahead_[std::size_t(frame % 2)];
    if (frame >= player_.total_frames() || ahead.frame == frame || ahead.picture.valid())
        return;
    ahead.frame = frame;
    ahead.picture = std::async(std::launch::async, [&renderer = renderer_of(frame), frame] { return renderer.render(frame); });
}

// Waits for renders still running, so the players may load another movie.
void FrameAssembly::drop_frame_ahead() {
    for (FrameAhead& ahead : ahead_) {
        if (ahead.picture.valid())
            ahead.picture.wait();
        ahead = {};
    }
}

void FrameAssembly::load_first_template() {
    state_.moban_hanghao_leijia = 0;
    load_template(0);
}

int FrameAssembly::closing_start() const {
    return std::max(state_.zhizuo_zongzhen_sum - kClosingFrames, 1);
}

bool FrameAssembly::showing_closing() const {
    return state_.moban_hanghao_leijia >= int(state_.duiying_keyong_hanghao.size());
}

QImage FrameAssembly::next_frame() {
    const int n = state_.zhizuo_zhenshu_leijia_sum;
    QImage frame = n == 0 ? black_frame(state_.Falsh_size) : movie_frame(n);
    state_.zhizuo_zhenshu_leijia_sum = n + 1;
    state_.huamiantexiao_shijian = state_.wenzitexiao_shijian = frames_to_clock(n + 1);
    advance_song();
    return frame;
}

QImage FrameAssembly::movie_frame(int album_frame) {
    if (state_.sync_mode == SyncMode::Music && album_frame == closing_start() && !showing_closing()) {
        if (!held_base_.isNull())
            write_snapshot(held_base_);
        state_.moban_hanghao_leijia = int(state_.duiying_keyong_hanghao.size());
        load_closing_movie();
    }
    if (state_.moban_jietu_kaiguan == Switch::Off)
        return held_;
    player_.set_frame_num(++state_.dangemoban_leijiazhen_num);
    QImage frame = over_black(render_movie_frame(player_.frame_num()));
    {
        QPainter painter(&frame);
        layers_.paint_effects(painter, frame.size(), album_frame);
    }
    // The snapshot the next movie starts from leaves the lyric line out; it is only kept for
    // the frames that can become one.
    const bool ends_movie = player_.frame_num() + 1 >= player_.total_frames();
    const bool before_closing = state_.sync_mode == SyncMode::Music && album_frame + 1 == closing_start();
    if (ends_movie || before_closing)
        held_base_ = frame.copy();
    if (state_.Lrc_geci_kaiguan == Switch::On) {
        QPainter painter(&frame);
        layers_.paint_lyric(painter, frame.size(), state_.yinyue_hanghao_leijia, state_.shijian_zhen_lrc);
    }
    held_ = frame;
    // A movie that reports no frames counts as ended at once, so the album always moves on.
    if (ends_movie)
        movie_ended(held_base_);
    return held_;
}

void FrameAssembly::movie_ended(const QImage& last_frame) {
    if (showing_closing()) {
        state_.moban_jietu_kaiguan = Switch::Off;
        return;
    }
    write_snapshot(last_frame);
    start_next_template();
}

void FrameAssembly::start_next_template() {
    const int count = int(state_.duiying_keyong_hanghao.size());
    const int next = state_.moban_hanghao_leijia + 1;
    if (state_.sync_mode == SyncMode::Music) {
        state_.moban_hanghao_leijia = next % count;
        load_template(state_.moban_hanghao_leijia);
    } else if (next >= count) {
        state_.moban_hanghao_leijia = count;
        load_closing_movie();
    } else {
        state_.moban_hanghao_leijia = next;
        load_template(next);
    }
}

void FrameAssembly::load_template(int position) {
    const int folder = template_folder_at(state_, position);
    if (folder <= 0)
        throw DataError(QStringLiteral("No template folder was made for play position %1").arg(position + 1));
    const int used = used_row_at(state_, position);
    const bool has_background = used >= 0 && used < int(album_.backgrounds.size());
    load_movie(paths_.template_movie(folder),
               has_background ? album_.backgrounds[std::size_t(used)].transparency : 0);
}

void FrameAssembly::load_closing_movie() {
    load_movie(paths_.closing_movie(), 0);
}

// rlottie loads synchronously and the frames are taken by seeking, so the movie is ready as
// soon as load() returns: no playing start-up is needed before the first frame.
void FrameAssembly::load_movie(const QString& path, int transparency) {
    drop_frame_ahead();
    const TemplateMovie movie = TemplateMovie::read(path);
    player_.load(movie, transparency);
    partner_.load(movie, transparency);
    if (!player_.answers_template_marker())
        throw DataError(QStringLiteral("The movie %1 is not a template movie: it does not answer the marker").arg(path));
    player_.stop();
    state_.dangemoban_leijiazhen_num = -1;
}

void FrameAssembly::write_snapshot(const QImage& frame) {
    save_jpeg(frame, paths_.snapshot());
}

// Plays shorter than a second have no frames; they are passed over so the clock never stalls.
void FrameAssembly::advance_song() {
    const auto& songs = state_.xuyao_yinyue_shuliang;
    if (state_.Lrc_geci_kaiguan == Switch::Off)
        return;
    state_.shijian_lrc = frames_to_song_clock(++state_.shijian_zhen_lrc);
    if (state_.shijian_zhen_lrc < songs[std::size_t(state_.yinyue_hanghao_leijia)].frames)
        return;
    layers_.song_ended(state_.yinyue_hanghao_leijia);
    start_song(state_.yinyue_hanghao_leijia + 1);
}

void FrameAssembly::start_song(int row) {
    const auto& songs = state_.xuyao_yinyue_shuliang;
    while (row < int(songs.size()) && songs[std::size_t(row)].frames <= 0)
        ++row;
    state_.shijian_zhen_lrc = 0;
    state_.shijian_lrc = QStringLiteral("00:00");
    if (row >= int(songs.size())) {
        state_.Lrc_geci_kaiguan = Switch::Off;
        return;
    }
    state_.yinyue_hanghao_leijia = row;
    state_.Lrc_geci_kaiguan = Switch::On;
    layers_.song_started(row, songs[std::size_t(row)]);
}

} // namespace velmora
