#include "preview/template_player.h"

#include "core/data_error.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {
namespace {

void require_transparency(int percent) {
    if (percent < 0 || percent > 100)
        throw std::invalid_argument("the background transparency must be 0 to 100, not "
                                    + std::to_string(percent));
}

} // namespace

TemplatePlayer::TemplatePlayer(const QString& name, QSize host_size, QObject* parent)
    : QObject(parent) {
    setObjectName(name);
    set_host_size(host_size);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1000 / kFramesPerSecond);
    connect(&timer_, &QTimer::timeout, this, &TemplatePlayer::advance);
}

TemplatePlayer::~TemplatePlayer() = default;

void TemplatePlayer::set_host_size(QSize size) {
    if (size.isEmpty())
        throw std::invalid_argument("a template player needs a non-empty host size");
    host_size_ = size;
}

void TemplatePlayer::load(const QString& path) {
    load(TemplateMovie::read(path), background_transparency_);
}

void TemplatePlayer::load(const TemplateMovie& movie, int background_transparency) {
    require_transparency(background_transparency);
    renderer_ = std::make_unique<MovieRenderer>(movie, 100 - background_transparency);
    background_transparency_ = background_transparency;
    movie_ = movie;
    frame_ = -1;
    set_frame_num(0);
}

QString TemplatePlayer::movie_path() const {
    return movie_ ? movie_->path() : QString();
}

QString TemplatePlayer::get_variable(const QString& name) const {
    return movie_ ? movie_->marker_value(name) : QString();
}

bool TemplatePlayer::answers_template_marker() const {
    return get_variable(QLatin1String(kTemplateMarker)) == QLatin1String(kTemplateMarkerAnswer);
}

void TemplatePlayer::set_variable(const QString& name, const QString& value) {
    if (name != QLatin1String(kBackgroundTransparencyVariable))
        throw std::invalid_argument("the template player cannot set the variable " + name.toStdString());
    bool is_number = false;
    const int percent = value.trimmed().toInt(&is_number);
    if (!is_number)
        throw std::invalid_argument("num_stop must be a number from 0 to 100, not " + value.toStdString());
    set_background_transparency(percent);
}

void TemplatePlayer::set_background_transparency(int percent) {
    require_transparency(percent);
    if (percent == background_transparency_)
        return;
    if (movie_)
        renderer_ = std::make_unique<MovieRenderer>(*movie_, 100 - percent);
    background_transparency_ = percent;
}

int TemplatePlayer::total_frames() const {
    return movie_ ? movie_->total_frames() : 0;
}

int TemplatePlayer::clamped(int frame) const {
    return std::clamp(frame, 0, std::max(total_frames() - 1, 0));
}

void TemplatePlayer::set_frame_num(int k) {
    const int frame = clamped(k);
    if (frame == frame_)
        return;
    frame_ = frame;
    emit frame_changed(frame_);
}

void TemplatePlayer::play() {
    timer_.start();
}

void TemplatePlayer::stop() {
    timer_.stop();
}

void TemplatePlayer::advance() {
    if (total_frames() == 0)
        return;
    set_frame_num(frame_ + 1 < total_frames() ? frame_ + 1 : 0);
}

QImage TemplatePlayer::grab() const {
    return render(frame_);
}

QImage TemplatePlayer::render(int frame) const {
    if (!renderer_) {
        QImage image(host_size_, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        return image;
    }
    return renderer_->render(clamped(frame), host_size_);
}

} // namespace velmora
