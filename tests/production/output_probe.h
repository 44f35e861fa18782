#pragma once

#include <QColor>
#include <QString>

namespace velmora::test {

// What FFmpeg reads back from a written video file.
struct OutputProbe {
    QString container;       // demuxer name, e.g. "mpeg", "mov,mp4,m4a,3gp,3g2,mj2", "asf"
    QString brand;           // QuickTime/MP4 major brand ("qt  ", "isom"); empty for others
    QString video_codec;
    int width = 0;
    int height = 0;
    double frame_rate = 0;   // the stream's average (or real) frame rate
    QString frame_rate_text; // the same as a fraction, "30000/1001"
    double display_aspect = 0;   // width x sample aspect / height
    int longest_gop = 0;     // most frames from one key frame to the next, the first included
    int video_frames = 0;    // decoded video frames
    double video_seconds = 0;
    QString audio_codec;     // empty without an audio stream
    double audio_seconds = 0;    // decoded sound samples / sample rate
    int audio_sample_rate = 0;
    int audio_channels = 0;
};

// Opens, demuxes and decodes the whole file. Throws std::runtime_error when it cannot.
OutputProbe probe_output(const QString& path);

// The mux rate in bits per second that the first pack header of an MPEG program stream
// declares (MPEG-1 or MPEG-2 pack); 0 when the file does not start with a pack.
qint64 first_pack_mux_rate(const QString& path);

// The colour at (x, y) of decoded video frame `frame` (0-based, in display order).
QColor frame_pixel(const QString& path, int frame, int x, int y);

// Root-mean-square level (0..1) of the decoded sound from `from` to `to` seconds, first channel.
double sound_level(const QString& path, double from, double to);

} // namespace velmora::test
