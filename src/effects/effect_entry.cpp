#include "effects/effect_entry.h"

namespace velmora {
namespace {

QString optional_text(const std::optional<int>& value) { return value ? QString::number(*value) : QString(); }
QString overlay_text(bool overlay) { return overlay ? QStringLiteral("chuangjian") : QStringLiteral("wu"); }

} // namespace

QString to_text(EffectRunState state) {
    switch (state) {
    case EffectRunState::Waiting: return QStringLiteral("tingzhi");
    case EffectRunState::Running: return QStringLiteral("qidong");
    case EffectRunState::Finished: return QStringLiteral("wancheng");
    }
    return {};
}

QString to_text(EffectAddedBy way) {
    return way == EffectAddedBy::Hand ? QStringLiteral("手动添加") : QStringLiteral("自动添加");
}

const QStringList& PictureEffectEntry::captions() {
    static const QStringList c{QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("结束时间"),
                               QStringLiteral("启动"), QStringLiteral("图片装饰特效"), QStringLiteral("顺序号"),
                               QStringLiteral("添加方式"), QStringLiteral("是否创建控件")};
    return c;
}

QStringList PictureEffectEntry::cells() const {
    return {QString::number(frame_count), start, effect_end_time_text(), to_text(state), name, QString::number(number),
            to_text(added_by), overlay_text(overlay)};
}

const QStringList& TextEffectEntry::captions() {
    static const QStringList c{QStringLiteral("帧数"), QStringLiteral("开始时间"), QStringLiteral("结束时间"),
                               QStringLiteral("启动"), QStringLiteral("图片装饰特效"), QStringLiteral("顺序号"),
                               QStringLiteral("X_位置"), QStringLiteral("Y_位置"), QStringLiteral("分类号"),
                               QStringLiteral("文字特效是否自动添加_标注"), QStringLiteral("文字特效自动添加_标注"),
                               QStringLiteral("文字特效自动添加_标注_对应模板行号"),
                               QStringLiteral("文字特效自动添加_标注_帧位置数"), QStringLiteral("添加方式"),
                               QStringLiteral("是否创建控件")};
    return c;
}

QStringList TextEffectEntry::cells() const {
    return {QString::number(frame_count), start, effect_end_time_text(), to_text(state), name, QString::number(number),
            QString::number(x), QString::number(y), QString::number(category), auto_tag, template_mark,
            optional_text(template_row), optional_text(frame_offset), to_text(added_by), overlay_text(overlay)};
}

const QStringList& EffectViewRow::captions() {
    static const QStringList c{QStringLiteral("序号"), QStringLiteral("帧数"), QStringLiteral("开始时间"),
                               QStringLiteral("特效名称"), QStringLiteral("添加方式")};
    return c;
}

QStringList EffectViewRow::cells() const {
    return {QString::number(position), QString::number(frame_count), start, name, to_text(added_by)};
}

} // namespace velmora
