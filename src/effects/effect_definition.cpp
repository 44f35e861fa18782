#include "effects/effect_definition.h"

#include <cstdio>
#include <QFileInfo>
#include <QImageReader>

#include "core/data_error.h"
#include "core/ini_file.h"

namespace velmora {
namespace {

const QString kSection = QStringLiteral("wj_x_g_c_l_0");

QString value(const IniFile& ini, const char* key) { return ini.value(kSection, QLatin1String(key)); }

// The refusal of `definition`, or empty when it can be used.
QString refusal(const EffectDefinition& d, bool frame_count_ok, bool still_ok, EffectKind kind) {
    if (!frame_count_ok)
        return QStringLiteral("its frame count wj_x_g_c_l_sum is missing or not a number");
    if (d.frame_count < 1 || d.frame_count > kMaxEffectFrames)
        return QStringLiteral("its frame count wj_x_g_c_l_sum %1 is not from 1 to %2").arg(d.frame_count).arg(kMaxEffectFrames);
    if (kind == EffectKind::Text && (!still_ok || d.still_frame < 1 || d.still_frame > d.frame_count))
        return QStringLiteral("its still frame wj_x_g_c_l_1 is not a frame from 1 to %1").arg(d.frame_count);
    return {};
}

std::optional<EffectDefinition> refuse(const QString& file, const QString& why, QString* reason) {
    const QString text = QStringLiteral("the effect definition %1 is refused: %2").arg(file, why);
    std::fprintf(stderr, "velmora: %s\n", text.toUtf8().constData());
    if (reason)
        *reason = text;
    return std::nullopt;
}

} // namespace

QString missing_text_effect_message() { return QStringLiteral("没有找到选中的文字特效文件！"); }

std::optional<EffectDefinition> read_effect_definition(const DataRoot& root, const EffectId& id, QString* reason) {
    const QString file = effect_definition_file(root, id);
    if (!QFileInfo(file).isFile()) {
        if (reason)
            *reason = QStringLiteral("the effect definition %1 does not exist").arg(file);
        return std::nullopt;
    }
    IniFile ini;
    try {
        ini = IniFile::load(file);
    } catch (const DataError& e) {
        return refuse(file, e.message(), reason);
    }
    EffectDefinition d;
    bool frame_count_ok = false;
    bool still_ok = true;
    d.name = value(ini, "wj_x_g_c_l_0");
    d.frame_count = value(ini, "wj_x_g_c_l_sum").toInt(&frame_count_ok);
    const QString still = value(ini, "wj_x_g_c_l_1");
    if (!still.isEmpty())
        d.still_frame = still.toInt(&still_ok);
    d.centred = value(ini, "wj_x_g_c_l_wz") == QLatin1String("z");
    d.position = QPoint(value(ini, "wj_x_g_c_l_wz1").toInt(), value(ini, "wj_x_g_c_l_wz2").toInt());
    d.marks = value(ini, "wxcs03");
    const QString why = refusal(d, frame_count_ok, still_ok, id.kind);
    if (!why.isEmpty())
        return refuse(file, why, reason);
    return d;
}

QPoint default_text_position(const DataRoot& root, const EffectId& id, const EffectDefinition& definition) {
    if (!definition.centred)
        return definition.position;
    QSize still = QImageReader(effect_frame_file(effect_folder(root, id), FrameSet::Preview, definition.still_frame)).size();
    if (!still.isValid())
        still = QSize(0, 0);
    return {kEffectCanvasWidth / 2 - still.width() / 2, kEffectCanvasHeight / 2 - still.height() / 2};
}

} // namespace velmora
