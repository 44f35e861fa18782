#include "default_background.h"

#include <stdexcept>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace velmora::databuild {
namespace {

constexpr int kW = 1920, kH = 1080;

// A small linear congruential generator: the same lights on every build and every platform.
class SeededRandom {
public:
    explicit SeededRandom(quint32 seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }

private:
    quint32 state_;
};

QColor colour_of(const json& hex) {
    const QColor c(QString::fromStdString(hex.get<std::string>()));
    if (!c.isValid())
        throw std::runtime_error("background colour " + hex.get<std::string>() + " is not a colour");
    return c;
}

void paint_wash(QPainter& p, const json& colours) {
    QLinearGradient wash(0, 0, kW * 0.35, kH);
    for (size_t i = 0; i < colours.size(); ++i)
        wash.setColorAt(double(i) / double(colours.size() - 1), colour_of(colours[i]));
    p.fillRect(0, 0, kW, kH, wash);
}

void paint_lights(QPainter& p, const json& design) {
    SeededRandom random(design.value("seed", 7u));
    const QColor light = colour_of(design.at("light"));
    const int count = design.value("lights", 28);
    for (int i = 0; i < count; ++i) {
        const double x = random.next() * kW, y = random.next() * kH;
        const double r = 30 + random.next() * random.next() * 190;
        const double alpha = 0.05 + random.next() * 0.16;
        QRadialGradient g(x, y, r);
        QColor core = light, edge = light;
        core.setAlphaF(alpha);
        edge.setAlphaF(alpha * 0.6);
        QColor clear = light;
        clear.setAlphaF(0);
        g.setColorAt(0, core);
        g.setColorAt(0.82, edge);
        g.setColorAt(1, clear);
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

void paint_vignette(QPainter& p) {
    QRadialGradient v(kW / 2.0, kH / 2.0, kW * 0.62);
    v.setColorAt(0, QColor(0, 0, 0, 0));
    v.setColorAt(0.6, QColor(0, 0, 0, 0));
    v.setColorAt(1, QColor(4, 3, 10, 120));
    p.fillRect(0, 0, kW, kH, v);
}

} // namespace

QByteArray default_background_jpeg(const json& design) {
    QImage image(kW, kH, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paint_wash(p, design.at("wash"));
        paint_lights(p, design);
        paint_vignette(p);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(92);
    if (!writer.write(image))
        throw std::runtime_error("cannot encode the default background: " + writer.errorString().toStdString());
    return bytes;
}

} // namespace velmora::databuild
