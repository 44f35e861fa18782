#pragma once

#include "production/converter.h"
#include "support/test_support.h"

#include <QColor>
#include <QString>
#include <QStringList>

namespace velmora::test {

// An album run in miniature: a frame file that the video callback repaints with a colour
// that changes with the frame, songs in an audio list, and a converter wired up the way the
// production run wires it.
class AlbumFixture {
public:
    static constexpr int kFrameWidth = 256;    // differs from every output size: frames are scaled
    static constexpr int kFrameHeight = 144;

    AlbumFixture();

    // Red, then green, then blue: a third of `frames` each.
    static QColor colour_at(int frame, int frames);

    // A song of `seconds` written into the folder; returns its path.
    QString make_song(const QString& name, double seconds, double frequency = 440.0) const;
    void add_song(const QString& path) { audio_.add(path, mcl::ListKind::song); }

    // Fills the video list with `frames` entries of the frame file and sets the converter up
    // (sources, repainting video callback, size, output file, keep-duration on).
    void prepare(mcl::Converter& converter, int frames, int width, int height, const QString& target);

    const TempFolder& folder() const { return folder_; }
    QString frame_file() const { return folder_.file("frame.bmp"); }
    // Files in the folder that neither the fixture nor the test made (temporary leftovers).
    QStringList stray_files(const QStringList& expected) const;

private:
    void paint_frame(int frame, int frames) const;

    TempFolder folder_;
    mcl::MediaList video_;
    mcl::MediaList audio_;
    QStringList songs_;
};

} // namespace velmora::test
