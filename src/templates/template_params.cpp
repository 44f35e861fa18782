#include "templates/template_params.h"

#include "templates/bar_list.h"

namespace velmora {
namespace {

// A whole number from `low` to `high`, blanks around it allowed.
bool is_number_within(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high;
}

std::optional<TemplateFieldProblem> sizes_problem(const char* field, const QString& sizes, qsizetype pictures) {
    const QStringList items = split_bar_list(sizes);
    const QString key = QString::fromLatin1(field);
    if (items.size() < pictures)
        return TemplateFieldProblem{key, QStringLiteral("\"%1\" gives %2 sizes for %3 pictures").arg(sizes).arg(items.size()).arg(pictures)};
    for (const QString& item : items)
        if (!is_number_within(item, 1, kMaxTemplatePictureSide))
            return TemplateFieldProblem{key, QStringLiteral("\"%1\" holds \"%2\", not a size from 1 to %3 pixels")
                                                 .arg(sizes, item).arg(kMaxTemplatePictureSide)};
    return std::nullopt;
}

} // namespace

QString to_text(TemplateClass mark) {
    switch (mark) {
    case TemplateClass::Heng: return QStringLiteral("heng");
    case TemplateClass::Shu: return QStringLiteral("shu");
    case TemplateClass::Shuheng: return QStringLiteral("shuheng");
    case TemplateClass::Gaojimoban: return QStringLiteral("gaojimoban");
    case TemplateClass::None: break;
    }
    return {};
}

const std::array<const char*, TemplateParams::kColumnCount>& TemplateParams::captions() {
    static const std::array<const char*, kColumnCount> names = {
        "模板类型", "模板分类", "相片数量", "相片宽度", "相片高度", "竖照横照",
        "相片JPG名称", "位置", "分类标注", "序号", "模板swf总帧数", "模板名称",
        "模板中所有照片", "模板文字_必须标注01", "模板文字_必须标注02",
        "模板文字_随机标注03", "模板文字_随机标注04",
    };
    return names;
}

std::array<QString, TemplateParams::kColumnCount> TemplateParams::cells() const {
    return {mblx, mbfl, xpsl, xpkd, xpgd, szhz, xpjpgmc, weizhi, to_text(fenlei_biaozhu),
            QString::number(xuhao), mbdx, mingcheng, sl, wxcs01, wxcs02, wxcs03, wxcs04};
}

std::optional<TemplateFieldProblem> field_problem(const TemplateParams& params) {
    if (!is_number_within(params.mbdx, 1, kMaxTemplateFrames))
        return TemplateFieldProblem{QStringLiteral("mbdx"), QStringLiteral("\"%1\" is not a frame count from 1 to %2")
                                                                .arg(params.mbdx).arg(kMaxTemplateFrames)};
    const qsizetype pictures = split_bar_list(params.xpjpgmc).size();
    if (auto problem = sizes_problem("xpkd", params.xpkd, pictures))
        return problem;
    return sizes_problem("xpgd", params.xpgd, pictures);
}

} // namespace velmora
