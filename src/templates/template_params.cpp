#include "templates/template_params.h"

namespace velmora {

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

} // namespace velmora
