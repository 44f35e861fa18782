#pragma once

#include <array>
#include <QString>

namespace velmora {

// Class mark of a template, `fenlei_biaozhu`.
enum class TemplateClass { None, Heng, Shu, Shuheng, Gaojimoban };

// "" / "heng" / "shu" / "shuheng" / "gaojimoban".
QString to_text(TemplateClass mark);

// One installed template, a row of the catalogue `mobancanshu`. Values are kept as read from
// the parameter file; picture lists are bar lists (see split_bar_list).
struct TemplateParams {
    QString mblx;            // template type (carried)
    QString mbfl;            // template category (carried)
    QString xpsl;            // number of photos (carried)
    QString xpkd;            // picture widths in 1920 x 1080 pixels
    QString xpgd;            // picture heights
    QString szhz;            // picture orientations: heng, shu, shuheng
    QString xpjpgmc;         // picture names; a name with exactly one "_" is a photo slot
    QString weizhi;          // full path of the template's packed movie
    TemplateClass fenlei_biaozhu = TemplateClass::None;
    int xuhao = 0;           // position in the catalogue; identifies the template everywhere
    QString mbdx;            // frame count of the movie
    QString mingcheng;       // name shown to the person
    QString sl;              // carried
    QString wxcs01, wxcs02, wxcs03, wxcs04; // text-effect marks

    static constexpr int kColumnCount = 17;
    // Column captions of the catalogue list, in column order.
    static const std::array<const char*, kColumnCount>& captions();
    // The row as the list's cells show it, in column order.
    std::array<QString, kColumnCount> cells() const;
};

} // namespace velmora
