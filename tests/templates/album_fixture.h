#pragma once

#include <QString>

#include "templates/album.h"
#include "templates/template_catalogue.h"

namespace velmora::test {

// One template for an in-memory catalogue: bar lists as a parameter file writes them.
struct TemplateFixture {
    QString name;
    QString szhz;     // e.g. "|heng|shu|"
    QString xpjpgmc;  // e.g. "|picture_1|picture_2|"
    QString xpkd = {};
    QString xpgd = {};
};

// A catalogue of `templates` in catalogue order, classified, counted and listed as at start-up.
inline TemplateCatalogue make_catalogue(std::initializer_list<TemplateFixture> templates) {
    TemplateCatalogue catalogue;
    for (const TemplateFixture& t : templates) {
        TemplateParams p;
        p.mingcheng = t.name;
        p.szhz = t.szhz;
        p.xpjpgmc = t.xpjpgmc;
        p.xpkd = t.xpkd;
        p.xpgd = t.xpgd;
        p.mbdx = QStringLiteral("100");
        p.xuhao = int(catalogue.mobancanshu.size());
        catalogue.mobancanshu.push_back(p);
    }
    classify_templates(catalogue);
    count_template_photos(catalogue);
    fill_template_list(catalogue);
    return catalogue;
}

inline PhotoEntry make_photo(const QString& name, int width, int height) {
    PhotoEntry photo;
    photo.name = name;
    photo.format = QStringLiteral(".jpg");
    photo.width = width;
    photo.height = height;
    photo.location = QStringLiteral("/photos/") + name + QStringLiteral(".jpg");
    return photo;
}

// The template-list row of the template named `name` in `category`.
inline int list_row(const TemplateCatalogue& catalogue, const QString& name, const QString& category) {
    for (int r = 0; r < int(catalogue.moban.size()); ++r)
        if (catalogue.moban[std::size_t(r)].mingcheng == name && catalogue.moban[std::size_t(r)].category == category)
            return r;
    return -1;
}

} // namespace velmora::test
