#pragma once

#include <map>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include "core/data_root.h"
#include "core/gbk_text.h"
#include "effects/effect_id.h"
#include "support/test_support.h"

namespace velmora::test {

// Definition keys of one fixture effect; an empty value leaves the key out.
struct EffectFixture {
    QString name = QStringLiteral("特效");
    QString frame_count = QStringLiteral("3");
    QString still = {};
    QString position = QStringLiteral("n");
    QString left = QStringLiteral("10");
    QString top = QStringLiteral("20");
    QString marks = {};
    int frames_written = 0;          // frame files written (both sets); 0: frame_count - 1
    QSize preview_size{40, 20};      // N.png
    QSize production_size{96, 48};   // 2_N.png
    QRect production_box = {};       // opaque part of 2_N.png; empty: all of it
    QColor colour = Qt::red;
};

inline QByteArray definition_text(const EffectFixture& f) {
    QString text = QStringLiteral("[wj_x_g_c_l_0]\r\n");
    const std::pair<const char*, QString> keys[] = {{"wj_x_g_c_l_0", f.name}, {"wj_x_g_c_l_sum", f.frame_count},
                                                    {"wj_x_g_c_l_1", f.still}, {"wj_x_g_c_l_wz", f.position},
                                                    {"wj_x_g_c_l_wz1", f.left}, {"wj_x_g_c_l_wz2", f.top},
                                                    {"wxcs03", f.marks}};
    for (const auto& [key, value] : keys)
        if (!value.isEmpty())
            text += QLatin1String(key) + QLatin1Char('=') + value + QStringLiteral("\r\n");
    return encode_gbk(text);
}

inline void write_png(const QString& path, QSize size, QRect box, QColor colour) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRect opaque = box.isEmpty() ? image.rect() : box;
    for (int y = opaque.top(); y <= opaque.bottom(); ++y)
        for (int x = opaque.left(); x <= opaque.right(); ++x)
            image.setPixelColor(x, y, colour);
    image.save(path, "PNG");
}

// Installs effect `id` below `root` in the installed layout: definition and frame pictures.
inline void install_effect(const DataRoot& root, const EffectId& id, const EffectFixture& f = {}) {
    const QString folder = effect_folder(root, id);
    QDir().mkpath(folder);
    QFile ini(effect_definition_file(root, id));
    ini.open(QIODevice::WriteOnly);
    ini.write(definition_text(f));
    ini.close();
    const int frames = f.frames_written > 0 ? f.frames_written : std::max(1, f.frame_count.toInt() - 1);
    for (int n = 1; n <= frames; ++n) {
        write_png(effect_frame_file(folder, FrameSet::Preview, n), f.preview_size, {}, f.colour);
        write_png(effect_frame_file(folder, FrameSet::Production, n), f.production_size, f.production_box, f.colour);
    }
}

// A folder of effect `id` without a definition file.
inline void install_bare_folder(const DataRoot& root, const EffectId& id) { QDir().mkpath(effect_folder(root, id)); }

} // namespace velmora::test
