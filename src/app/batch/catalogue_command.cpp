#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/batch/album_builder.h"
#include "app/batch/commands.h"
#include "core/cleanup.h"
#include "core/data_error.h"
#include "core/startup_abort.h"
#include "templates/bar_list.h"
#include "templates/template_catalogue.h"

namespace velmora::batch {
namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

void print_table(const TemplateCatalogue& catalogue) {
    std::printf("%zu templates installed (%zu advanced, %zu landscape, %zu portrait entries)\n",
                catalogue.mobancanshu.size(), catalogue.gaojimoban.size(), catalogue.hengzhaopian.size(),
                catalogue.shuzhaopian.size());
    std::printf("%-4s %-9s %-12s %5s %5s  %-8s  %s\n", "#", "class", "list", "land", "port", "length", "name");
    for (const TemplateListRow& row : catalogue.moban) {
        const TemplateParams& p = catalogue.mobancanshu.at(std::size_t(row.xuhao));
        std::printf("%-4d %-9s %-12s %5d %5d  %-8s  %s\n", row.xuhao, utf8(to_text(p.fenlei_biaozhu)).c_str(),
                    utf8(row.category).c_str(), row.hengzhao_jizhang, row.shuzhao_jizhang, utf8(row.duration).c_str(),
                    utf8(row.mingcheng).c_str());
    }
    if (catalogue.left_out.empty())
        return;
    std::printf("left out for bad parameters: %zu\n", catalogue.left_out.size());
    for (const LeftOutTemplate& t : catalogue.left_out)
        std::printf("  %s: %s %s\n", utf8(t.file).c_str(), utf8(t.field).c_str(), utf8(t.reason).c_str());
}

nlohmann::json to_json(const TemplateCatalogue& catalogue) {
    nlohmann::json templates = nlohmann::json::array();
    const auto& captions = TemplateParams::captions();
    for (const TemplateParams& p : catalogue.mobancanshu) {
        nlohmann::json row;
        const auto cells = p.cells();
        for (std::size_t c = 0; c < cells.size(); ++c)
            row[captions[c]] = utf8(cells[c]);
        templates.push_back(row);
    }
    nlohmann::json list = nlohmann::json::array();
    for (const TemplateListRow& r : catalogue.moban)
        list.push_back({{"序号", r.xuhao}, {"模板", utf8(r.mingcheng)}, {"类型", utf8(r.type)},
                        {"横照片", r.hengzhao_jizhang}, {"竖照片", r.shuzhao_jizhang},
                        {"时长", utf8(r.duration)}, {"分类", utf8(r.category)}});
    nlohmann::json left_out = nlohmann::json::array();
    for (const LeftOutTemplate& t : catalogue.left_out)
        left_out.push_back({{"file", utf8(t.file)}, {"field", utf8(t.field)}, {"reason", utf8(t.reason)}});
    return {{"mobancanshu", templates}, {"moban", list}, {"left_out", left_out}};
}

} // namespace

int run_catalogue(const BatchOptions& options, const QString& program_folder) {
    const DataRoot root = options.root(program_folder);
    TemplateCatalogue catalogue;
    const QString error = load_catalogue(root, catalogue);
    if (!error.isEmpty())
        return fail(error);
    if (options.json)
        std::printf("%s\n", to_json(catalogue).dump(2).c_str());
    else
        print_table(catalogue);
    exit_cleanup(root);
    return 0;
}

} // namespace velmora::batch
