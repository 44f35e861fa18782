#include "production/album_fixture.h"

#include "media/sine_song.h"

#include <QDir>
#include <QImage>
#include <stdexcept>

namespace velmora::test {

AlbumFixture::AlbumFixture() {
    paint_frame(0, 1);
}

QColor AlbumFixture::colour_at(int frame, int frames) {
    const int third = 3 * frame / frames;
    return third == 0 ? QColor(220, 40, 40) : third == 1 ? QColor(40, 200, 60) : QColor(40, 60, 220);
}

QString AlbumFixture::make_song(const QString& name, double seconds, double frequency) const {
    const QString path = folder_.file(name);
    write_sine_mp3(path, seconds, frequency);
    return path;
}

void AlbumFixture::paint_frame(int frame, int frames) const {
    QImage picture(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    picture.fill(colour_at(frame, frames));
    if (!picture.save(frame_file(), "BMP"))
        throw std::runtime_error("cannot write the frame file");
}

void AlbumFixture::prepare(mcl::Converter& converter, int frames, int width, int height,
                           const QString& target) {
    for (int i = 0; i < frames; ++i)
        video_.add(frame_file(), mcl::ListKind::picture);
    auto answer = [](const mcl::MediaList& list) {
        return [&list](mcl::Source& source, int index) {
            if (const auto path = list.get_name(index))
                source.set_file(*path);
            else
                source.finished();
        };
    };
    converter.assign_video_source(answer(video_));
    converter.assign_audio_source(answer(audio_));
    converter.assign_video_func([this, frames](int frame) { paint_frame(frame, frames); });
    converter.video_set_keep_duration(true);
    converter.video_set_format(width, height, 32);
    converter.video_set_file_name(target);
    converter.audio_set_file_name(target);
}

QStringList AlbumFixture::stray_files(const QStringList& expected) const {
    QStringList stray;
    const QStringList names = QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name != QLatin1String("frame.bmp") && !name.endsWith(QLatin1String(".mp3")) && !expected.contains(name))
            stray.append(name);
    }
    return stray;
}

} // namespace velmora::test
