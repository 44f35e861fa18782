#pragma once

#include <vector>
#include <QString>

namespace velmora {

// What the template preview shows, `caozuo_xuanze`.
enum class TemplatePreviewMode {
    CatalogueTemplate, // a catalogue template without photos
    UsedTemplate,      // a used template with its photos
    PhotoTemplate,     // the used template of one photo
};

// "yulan_yuanmoban" / "yulan_shiyongmoban" / "yulan_zhujiemian_duiying_shiyongmoban".
inline QString to_text(TemplatePreviewMode mode) {
    switch (mode) {
    case TemplatePreviewMode::CatalogueTemplate: return QStringLiteral("yulan_yuanmoban");
    case TemplatePreviewMode::UsedTemplate: return QStringLiteral("yulan_shiyongmoban");
    case TemplatePreviewMode::PhotoTemplate: return QStringLiteral("yulan_zhujiemian_duiying_shiyongmoban");
    }
    return {};
}

// Everything the template preview window is handed before it is shown. The movie has been
// extracted into the preview folder; the caller removes the preview workspace afterwards.
struct TemplatePreviewRequest {
    TemplatePreviewMode caozuo_xuanze = TemplatePreviewMode::CatalogueTemplate;
    // The row previewed: a row of the template list `moban` for a catalogue template, a used
    // template's row otherwise.
    int xuanzhong_hang = 0;
    int catalogue_number = 0; // the template's xuhao
    QString name;
    QString kind;
    int landscape_slots = 0;
    int portrait_slots = 0;
    QString duration;
    QString category;
    QString mobandizhi;   // the extracted movie
    QString mobandizhi_2; // its copy
    std::vector<int> slot_rows; // slot-table rows of the used template (none for a catalogue one)
};

} // namespace velmora
