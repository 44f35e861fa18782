#include "production/made_album_fixture.h"

#include "preview/sample_photo.h"
#include "core/jpeg_writer.h"
#include "core/system_settings.h"
#include "media/sine_song.h"
#include "production/album_type_choice.h"
#include "templates/photo_list.h"
#include "templates/template_assignment.h"

#include <QDir>
#include <QDirIterator>

namespace velmora::test {
namespace {

} // namespace

MadeAlbumFixture::MadeAlbumFixture() : root(folder_.file("smxcwjj")) {
    test::copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path());
    QDir().mkpath(out());
    load_template_catalogue(root, catalogue);
    prepare_album_type_choice(settings, mcl::AlbumType::dvd);
    settings.chicun_width = 320;
    settings.chicun_height = 176;
    settings.huamianzhiliang_xuanzhong = PictureQuality::biaoqing;
    settings.xiangce_mingcheng = QStringLiteral("album");
    settings.xiangce_baocun_weizhi = out() + QLatin1Char('/');
    app_state.mcl_caozuo_leixing = QStringLiteral("MCL_zhizuo_xiangce");
}

void MadeAlbumFixture::add_photos(int count, bool portrait) {
    QStringList files;
    for (int i = 0; i < count; ++i, ++photos_made_) {
        const QString path = folder_.file(QStringLiteral("photos/p%1.jpg").arg(photos_made_));
        QDir().mkpath(QFileInfo(path).path());
        save_jpeg(paint_sample_photo(portrait ? QSize(300, 400) : QSize(400, 300), photos_made_ + 1), path);
        files.append(path);
    }
    const SystemSettings system;
    NoAutoTextEffects effects;
    const RandomPick random = seeded_random_pick(7);
    PhotoList photos(album, app_state, ui, random, effects);
    AssignmentState state;
    state.mobanfashi = AssignmentMode::Random;
    const AssignmentServices services{catalogue, system, ui, root, random};
    const int first_new = int(album.photos.size());
    add_photos_job(photos, files, {[&] { assign_templates(album, first_new, state, services); }, {}});
}

void MadeAlbumFixture::add_song(double seconds) {
    const QString path = folder_.file(QStringLiteral("song%1.mp3").arg(music.size()));
    write_sine_mp3(path, seconds);
    music.add_songs({path}, ffmpeg_song_length(), ui);
}

QStringList MadeAlbumFixture::output_files() const {
    return QDir(out()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

ProductionInput MadeAlbumFixture::input() const {
    return ProductionInput{root, album, catalogue, music, settings, thumbnails, output_path()};
}

int catalogue_frames(const TemplateCatalogue& catalogue, int xuhao) {
    return catalogue.mobancanshu.at(std::size_t(xuhao)).mbdx.toInt();
}

} // namespace velmora::test
