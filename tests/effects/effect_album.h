#pragma once

#include "templates/album.h"
#include "templates/template_catalogue.h"

namespace velmora::test {

// One catalogue template for the effect placements: its length and its marks.
struct MarkedTemplate {
    int frames = 100;
    QString wxcs01 = {};
    QString wxcs02 = {};
    QString wxcs04 = {};
    int slot_count = 1;
    bool complete = true;
};

// A catalogue of the templates and an album using each once, in order, with `slots` slot rows
// each.
struct EffectAlbum {
    TemplateCatalogue catalogue;
    Album album;

    explicit EffectAlbum(std::initializer_list<MarkedTemplate> templates) {
        for (const MarkedTemplate& t : templates)
            add(t);
    }

    void add(const MarkedTemplate& t) {
            TemplateParams p;
            p.xuhao = int(catalogue.mobancanshu.size());
            p.mbdx = QString::number(t.frames);
            p.wxcs01 = t.wxcs01;
            p.wxcs02 = t.wxcs02;
            p.wxcs04 = t.wxcs04;
            catalogue.mobancanshu.push_back(p);
            UsedTemplate used;
            used.catalogue_number = p.xuhao;
            used.complete = t.complete;
            album.used_templates.push_back(used);
            for (int s = 0; s < t.slot_count; ++s) {
                SlotRow slot;
                slot.used_row = p.xuhao;
                slot.slot_index = s;
                album.slot_rows.push_back(slot);
            }
    }
};

} // namespace velmora::test
