#pragma once

#include <vector>
#include <QStringList>

#include "core/data_root.h"
#include "core/file_utils.h"
#include "templates/template_params.h"

namespace velmora {

// A row of a class list (`hengzhaopian`, `shuzhaopian`, `gaojimoban`): the catalogue row it
// copies, by `xuhao`, and the photo counts of the template in that class.
struct ClassRow {
    int xuhao = 0;
    int hengzhao_jizhang = 0; // landscape photos
    int shuzhao_jizhang = 0;  // portrait photos
};

// A row of the template list `moban` offered in template management.
struct TemplateListRow {
    int xuhao = 0;
    QString mingcheng;
    QString type;       // "高级模板" or "单张模板"
    int hengzhao_jizhang = 0;
    int shuzhao_jizhang = 0;
    QString duration;   // frames_to_clock of mbdx
    QString category;   // "综合模板", "横照模板" or "竖照模板"
};

// An installed template left out of the catalogue because a field of its parameter file fails
// its check (see field_problem).
struct LeftOutTemplate {
    QString file;    // the packed parameter file
    QString field;   // the key that failed
    QString reason;  // what is wrong with it
};

// The installed templates, read once at start-up and fixed for the run.
struct TemplateCatalogue {
    QStringList saomiaomobanwenjian_ini; // packed parameter files, in listing order
    QStringList saomiaomobanwenjian_swf; // packed movies, paired with the above by position
    std::vector<TemplateParams> mobancanshu;
    std::vector<ClassRow> hengzhaopian;
    std::vector<ClassRow> shuzhaopian;
    std::vector<ClassRow> gaojimoban;
    std::vector<TemplateListRow> moban;
    std::vector<LeftOutTemplate> left_out; // in listing order; not in mobancanshu

    const TemplateParams& params(const ClassRow& row) const { return mobancanshu.at(std::size_t(row.xuhao)); }
};

// The marker every template parameter file carries.
inline constexpr const char* kParamsMarkerSection = "l_x_v_e_l_m_w_j_s_y";
inline constexpr const char* kParamsMarkerValue = "v_e_l_m_s_y_l_x";

// Clears and re-creates the work folder, then fills both path lists.
// Throws StartupAbort when either tree holds no packed file or the work folder cannot be made.
void scan_templates(const DataRoot& root, TemplateCatalogue& catalogue, const PumpEvents& pump = {});

// Unpacks and reads every parameter file into `mobancanshu`; `step` runs before each file.
// A template whose fields fail their checks goes to `left_out` instead, and the templates
// after it take the next positions, so `xuhao` stays the row's position in `mobancanshu`.
// Throws StartupAbort on a wrong marker or a parameter file without a movie, DataError on a
// damaged packed file.
void read_template_params(const DataRoot& root, TemplateCatalogue& catalogue, const ProgressStep& step = {});

// Sets each row's class mark and fills the three class lists.
void classify_templates(TemplateCatalogue& catalogue);

// Counts landscape and portrait photo slots of every class-list row.
void count_template_photos(TemplateCatalogue& catalogue);

// Fills `moban`: advanced templates, then landscape, then portrait ones.
void fill_template_list(TemplateCatalogue& catalogue);

// The five steps in order. `before_reading(count)` runs once with the number of parameter files
// (to size a progress bar), `step` once per file.
void load_template_catalogue(const DataRoot& root, TemplateCatalogue& catalogue,
                             const std::function<void(int count)>& before_reading = {},
                             const ProgressStep& step = {}, const PumpEvents& pump = {});

// The message telling the person which templates were left out and why, one line each.
QString left_out_message(const std::vector<LeftOutTemplate>& left_out);

} // namespace velmora
