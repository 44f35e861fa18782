#include "templates/template_catalogue.h"

#include <QFile>

#include "core/cleanup.h"
#include "core/clock.h"
#include "core/ini_file.h"
#include "core/packed_kind.h"
#include "core/startup_abort.h"
#include "templates/bar_list.h"

namespace velmora {
namespace {

QString params_file_name(const DataRoot& root, int number) {
    return root.work_dir() + QStringLiteral("/wjj_00_j_y%1.ini").arg(number);
}

TemplateParams params_from(const IniFile& ini, const QString& movie, int xuhao) {
    const auto one = [&ini](const char* key) { return ini.value(QStringLiteral("1"), QString::fromLatin1(key)); };
    TemplateParams p;
    p.mblx = one("mblx");
    p.mbfl = one("mbfl");
    p.xpsl = one("xpsl");
    p.xpkd = one("xpkd");
    p.xpgd = one("xpgd");
    p.szhz = one("szhz");
    p.xpjpgmc = one("xpjpgmc");
    p.weizhi = movie;
    p.xuhao = xuhao;
    p.mbdx = one("mbdx");
    p.mingcheng = ini.value(QLatin1String(kParamsMarkerSection), QStringLiteral("l_x_v_e_l_m_w_j_s_y_m_c"));
    p.sl = ini.value(QStringLiteral("0"), QStringLiteral("sl"));
    p.wxcs01 = one("wxcs01");
    p.wxcs02 = one("wxcs02");
    p.wxcs03 = one("wxcs03");
    p.wxcs04 = one("wxcs04");
    return p;
}

TemplateClass class_of(const QStringList& orientations) {
    if (orientations.isEmpty())
        return TemplateClass::None;
    TemplateClass mark = TemplateClass::None;
    if (orientations.size() == 1) {
        if (orientations[0] == QLatin1String("heng"))
            mark = TemplateClass::Heng;
        else if (orientations[0] == QLatin1String("shu"))
            mark = TemplateClass::Shu;
        else if (orientations[0] == QLatin1String("shuheng"))
            mark = TemplateClass::Shuheng;
    }
    const auto h = orientations.count(QStringLiteral("heng"));
    const auto s = orientations.count(QStringLiteral("shu"));
    if ((h >= 1 && s >= 1) || h > 1 || s > 1)
        mark = TemplateClass::Gaojimoban;
    return mark;
}

bool is_photo_slot(const QString& picture_name) {
    return picture_name.count(QLatin1Char('_')) == 1;
}

// How an either-way picture counts in a class list.
enum class EitherWayCounts { AsLandscape, AsPortrait };

void count_photos(const TemplateCatalogue& catalogue, std::vector<ClassRow>& rows, EitherWayCounts either_way) {
    for (ClassRow& row : rows) {
        const TemplateParams& p = catalogue.params(row);
        const QStringList names = split_bar_list(p.xpjpgmc);
        const QStringList orientations = split_bar_list(p.szhz);
        int landscape = 0;
        int portrait = 0;
        for (qsizetype k = 0; k < names.size() && k < orientations.size(); ++k) {
            if (!is_photo_slot(names[k]))
                continue;
            const QString& o = orientations[k];
            if (o == QLatin1String("heng") || (o == QLatin1String("shuheng") && either_way == EitherWayCounts::AsLandscape))
                ++landscape;
            else if (o == QLatin1String("shu") || o == QLatin1String("shuheng"))
                ++portrait;
        }
        row.hengzhao_jizhang = landscape;
        row.shuzhao_jizhang = portrait;
    }
}

void append_list_rows(TemplateCatalogue& catalogue, const std::vector<ClassRow>& rows, const char* type,
                      const char* category) {
    for (const ClassRow& row : rows) {
        const TemplateParams& p = catalogue.params(row);
        catalogue.moban.push_back({row.xuhao, p.mingcheng, QString::fromUtf8(type), row.hengzhao_jizhang,
                                   row.shuzhao_jizhang, frames_to_clock(p.mbdx.toLongLong()),
                                   QString::fromUtf8(category)});
    }
}

} // namespace

void scan_templates(const DataRoot& root, TemplateCatalogue& catalogue, const PumpEvents& pump) {
    if (!recreate_work_dir(root, pump))
        throw StartupAbort(QStringLiteral("cannot create the work folder %1").arg(root.work_dir()));
    catalogue.saomiaomobanwenjian_ini.clear();
    catalogue.saomiaomobanwenjian_swf.clear();
    scan_packed(root.template_params_folder(), catalogue.saomiaomobanwenjian_ini);
    scan_packed(root.template_movies_folder(), catalogue.saomiaomobanwenjian_swf);
    if (catalogue.saomiaomobanwenjian_ini.isEmpty())
        throw StartupAbort(QStringLiteral("no template parameter files in %1").arg(root.template_params_folder()));
    if (catalogue.saomiaomobanwenjian_swf.isEmpty())
        throw StartupAbort(QStringLiteral("no template movies in %1").arg(root.template_movies_folder()));
}

void read_template_params(const DataRoot& root, TemplateCatalogue& catalogue, const ProgressStep& step) {
    catalogue.mobancanshu.clear();
    catalogue.left_out.clear();
    const QStringList& params_files = catalogue.saomiaomobanwenjian_ini;
    for (int i = 0; i < params_files.size(); ++i) {
        if (step)
            step();
        if (i >= catalogue.saomiaomobanwenjian_swf.size())
            throw StartupAbort(QStringLiteral("template parameter file %1 has no movie: %2 movies for %3 parameter files")
                                   .arg(params_files[i]).arg(catalogue.saomiaomobanwenjian_swf.size()).arg(params_files.size()));
        const int number = i + 1;
        const QString unpacked = params_file_name(root, number);
        // The nineteen intermediate rounds stay in memory: creating that many scratch files
        // per template dominated start-up, and nothing reads them.
        unpack_nested_in_memory(params_files[i], packed_kind::kTemplateParams, unpacked);
        if (!QFile::exists(unpacked))
            continue;
        const IniFile ini = IniFile::load(unpacked);
        QFile::remove(unpacked);
        if (ini.value(QLatin1String(kParamsMarkerSection), QLatin1String(kParamsMarkerSection)) != QLatin1String(kParamsMarkerValue))
            throw StartupAbort(QStringLiteral("template parameter file %1 lacks its data marker").arg(params_files[i]));
        TemplateParams params = params_from(ini, catalogue.saomiaomobanwenjian_swf[i], int(catalogue.mobancanshu.size()));
        if (const auto problem = field_problem(params))
            catalogue.left_out.push_back({params_files[i], problem->field, problem->reason});
        else
            catalogue.mobancanshu.push_back(std::move(params));
    }
}

void classify_templates(TemplateCatalogue& catalogue) {
    catalogue.hengzhaopian.clear();
    catalogue.shuzhaopian.clear();
    catalogue.gaojimoban.clear();
    for (TemplateParams& p : catalogue.mobancanshu)
        p.fenlei_biaozhu = class_of(split_bar_list(p.szhz));
    for (const TemplateParams& p : catalogue.mobancanshu) {
        const ClassRow row{p.xuhao, 0, 0};
        switch (p.fenlei_biaozhu) {
        case TemplateClass::Heng: catalogue.hengzhaopian.push_back(row); break;
        case TemplateClass::Shu: catalogue.shuzhaopian.push_back(row); break;
        case TemplateClass::Shuheng:
            catalogue.hengzhaopian.push_back(row);
            catalogue.shuzhaopian.push_back(row);
            break;
        case TemplateClass::Gaojimoban: catalogue.gaojimoban.push_back(row); break;
        case TemplateClass::None: break;
        }
    }
}

void count_template_photos(TemplateCatalogue& catalogue) {
    count_photos(catalogue, catalogue.hengzhaopian, EitherWayCounts::AsLandscape);
    count_photos(catalogue, catalogue.shuzhaopian, EitherWayCounts::AsPortrait);
    count_photos(catalogue, catalogue.gaojimoban, EitherWayCounts::AsLandscape);
}

void fill_template_list(TemplateCatalogue& catalogue) {
    catalogue.moban.clear();
    append_list_rows(catalogue, catalogue.gaojimoban, "高级模板", "综合模板");
    append_list_rows(catalogue, catalogue.hengzhaopian, "单张模板", "横照模板");
    append_list_rows(catalogue, catalogue.shuzhaopian, "单张模板", "竖照模板");
}

void load_template_catalogue(const DataRoot& root, TemplateCatalogue& catalogue,
                             const std::function<void(int count)>& before_reading, const ProgressStep& step,
                             const PumpEvents& pump) {
    scan_templates(root, catalogue, pump);
    if (before_reading)
        before_reading(int(catalogue.saomiaomobanwenjian_ini.size()));
    read_template_params(root, catalogue, step);
    classify_templates(catalogue);
    count_template_photos(catalogue);
    fill_template_list(catalogue);
}

QString left_out_message(const std::vector<LeftOutTemplate>& left_out) {
    QStringList lines{QStringLiteral("以下模板的参数文件有错误，模板没有载入：")};
    for (const LeftOutTemplate& t : left_out)
        lines << QStringLiteral("%1：%2 %3").arg(t.file, t.field, t.reason);
    return lines.join(QLatin1Char('\n'));
}

} // namespace velmora
