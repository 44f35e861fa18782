#pragma once

#include <array>
#include <optional>
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

// Bounds on the fields other code computes with. A template longer than ten minutes or with a
// picture larger than about twice the 1920 x 1080 frame is damage, not design.
inline constexpr int kMaxTemplateFrames = 25 * 60 * 10;
inline constexpr int kMaxTemplatePictureSide = 4096;

// A field of a template's parameters that fails its check.
struct TemplateFieldProblem {
    QString field;   // its key: "mbdx", "xpkd" or "xpgd"
    QString reason;  // what is wrong, quoting the value
};

// The first field that fails its check, or nothing when the template can be used: `mbdx`
// must be a whole number of frames from 1 to kMaxTemplateFrames; `xpkd` and `xpgd` must give
// every picture of `xpjpgmc` a size from 1 to kMaxTemplatePictureSide pixels.
std::optional<TemplateFieldProblem> field_problem(const TemplateParams& params);

} // namespace velmora
