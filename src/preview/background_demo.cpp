#include "preview/background_demo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "core/data_error.h"
#include "core/jpeg_writer.h"
#include "core/packed_kind.h"
#include "templates/photo_fit.h"

namespace velmora {
namespace {

void copy_file(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("cannot open %1: %2").arg(from, source.errorString()));
    const QByteArray content = source.readAll();
    QSaveFile target(to);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly) || target.write(content) != content.size() || !target.commit())
        throw DataError(QStringLiteral("cannot write %1: %2").arg(to, target.errorString()));
}

} // namespace

BackgroundDemo::BackgroundDemo(DataRoot root) : root_(std::move(root)) {}

BackgroundDemo::~BackgroundDemo() = default;

QString BackgroundDemo::movie_copy(int n) const {
    return root_.background_demo_work_folder() + QStringLiteral("/wj_0_or_5_5_d_%1.rar").arg(n);
}

QString BackgroundDemo::picture_path() const {
    return root_.background_demo_work_folder() + QStringLiteral("/wj_y_l_b_j.jpg");
}

void BackgroundDemo::prepare_movies() {
    const QString first = movie_copy(1);
    if (!QFileInfo::exists(first)) {
        QDir().mkpath(root_.background_demo_work_folder());
        const QString work = root_.work_dir();
        QDir().mkpath(work);
        const QString stamp = time_of_day_stamp();
        unpack_nested(root_.background_demo_movie(), packed_kind::kBackgroundDemoMovie,
                      [&](int pass) { return work + QStringLiteral("/wj_0_or_5_5_d_1%1%2.rar").arg(pass).arg(stamp); },
                      first);
    }
    if (!QFileInfo::exists(movie_copy(2)))
        copy_file(first, movie_copy(2));
}

void BackgroundDemo::write_picture(const BackgroundRow& background, const ThumbnailService& thumbnails) const {
    const QSize fitted = fit_photo(background.width, background.height, kPlayerSize, 0);
    if (fitted.isEmpty() || background.location.isEmpty())
        return;
    save_jpeg(thumbnails.thumbnail(background.location, fitted), picture_path());
}

QString BackgroundDemo::next_movie() {
    counter_ += 1;
    const QString movie = movie_copy(counter_);
    if (counter_ == 2)
        counter_ = 0;
    return movie;
}

void BackgroundDemo::create_player() {
    player_ = std::make_unique<TemplatePlayer>(QString::fromLatin1(kPlayerName), kPlayerSize);
}

void BackgroundDemo::free_player() { player_.reset(); }

void BackgroundDemo::show(int transparency) {
    if (!player_)
        create_player();
    player_->stop();
    player_->load(next_movie());
    set_transparency(transparency);
}

void BackgroundDemo::set_transparency(int transparency) {
    if (!player_)
        return;
    player_->set_variable(QLatin1String(kBackgroundTransparencyVariable),
                          QString::number(std::clamp(transparency, 0, 100)));
    restart();
}

void BackgroundDemo::stop() {
    if (player_)
        player_->stop();
}

// Passing through the last frame guarantees a frame change, so the view repaints with the new
// transparency even when the movie stood at frame 0.
void BackgroundDemo::restart() {
    player_->set_frame_num(player_->total_frames());
    player_->set_frame_num(0);
    player_->play();
}

} // namespace velmora
