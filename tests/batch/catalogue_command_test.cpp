// The batch tool's catalogue and lyric commands on damaged input.
#include <QFile>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "batch/tool_run.h"
#include "core/packed_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using nlohmann::json;

using test::ToolRun;

ToolRun run_tool(const QStringList& arguments) { return test::run_velmora_make(arguments, 120000); }

// A parameter file whose frame count is not a number, sorted after every shipped template.
QByteArray params_with_bad_frame_count() {
    return "[l_x_v_e_l_m_w_j_s_y]\r\nl_x_v_e_l_m_w_j_s_y=v_e_l_m_s_y_l_x\r\nl_x_v_e_l_m_w_j_s_y_m_c=broken\r\n"
           "[1]\r\nxpkd=|1920|\r\nxpgd=|1080|\r\nszhz=|heng|\r\nxpjpgmc=|picture_1|\r\nmbdx=abc\r\n";
}

TEST(CatalogueCommand, ListsTheTemplatesLeftOutWithTheirFileAndField) {
    test::TempFolder dir;
    const QString data = dir.file("smxcwjj");
    test::copy_tree(VELMORA_DATA_ROOT, data);
    const QString bad = dir.write("smxcwjj/wj_0_or_2/wjj_01/zz_broken.rar", pack_nested(params_with_bad_frame_count(), 20));
    dir.write("smxcwjj/wj_0_or_2/wjj_02/zz_broken.rar", pack_nested("{}", 20));

    const ToolRun text = run_tool({"catalogue", "--data-root", data});
    ASSERT_EQ(text.exit_code, 0) << text.error.toStdString();
    const QString listing = QString::fromUtf8(text.out);
    EXPECT_TRUE(listing.contains("left out for bad parameters: 1")) << listing.toStdString();
    EXPECT_TRUE(listing.contains(bad + ": mbdx")) << listing.toStdString();
    EXPECT_TRUE(text.error.contains("zz_broken.rar")) << "warned on standard error too";

    const ToolRun listed = run_tool({"catalogue", "--data-root", data, "--json"});
    ASSERT_EQ(listed.exit_code, 0) << listed.error.toStdString();
    const json out = json::parse(listed.out.toStdString());
    ASSERT_EQ(out["left_out"].size(), 1u);
    EXPECT_EQ(out["left_out"][0]["file"], bad.toStdString());
    EXPECT_EQ(out["left_out"][0]["field"], "mbdx");
    const json& loaded = out["mobancanshu"];
    ASSERT_FALSE(loaded.empty());
    for (std::size_t i = 0; i < loaded.size(); ++i)
        EXPECT_EQ(loaded[i]["序号"], std::to_string(i)) << "the loaded templates are numbered from 0 without a gap";
    EXPECT_NE(loaded.back()["模板名称"], "broken");
}

TEST(LyricFiles, OneOverTwoMegabytesIsRefusedNamingItAndLongLinesAreCutWithAWarning) {
    test::TempFolder dir;
    QFile big(dir.file("big.lrc"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("[00:01.00]x\n");
    big.resize(2 * 1024 * 1024 + 1);
    big.close();
    const ToolRun refused = run_tool({"lyrics", big.fileName()});
    EXPECT_NE(refused.exit_code, 0);
    EXPECT_TRUE(refused.error.contains("velmora-make: ")) << refused.error.toStdString();
    EXPECT_TRUE(refused.error.contains(big.fileName())) << refused.error.toStdString();

    const ToolRun plan = run_tool({"plan", "--data-root", VELMORA_DATA_ROOT, "--lyrics", big.fileName(), dir.file("none.jpg")});
    EXPECT_NE(plan.exit_code, 0);
    EXPECT_TRUE(plan.error.contains(big.fileName())) << plan.error.toStdString();

    const QString long_line = dir.write("long.lrc", "[00:02.00]" + QByteArray(5000, 'a') + "\n[00:03.00]b\n");
    const ToolRun cut = run_tool({"lyrics", long_line});
    ASSERT_EQ(cut.exit_code, 0) << cut.error.toStdString();
    const json rows = json::parse(cut.out.toStdString());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][1].get<std::string>(), std::string(1000 - 10, 'a')) << "the line, tag included, is cut at 1000";
    EXPECT_TRUE(cut.error.contains("warning")) << cut.error.toStdString();
    EXPECT_TRUE(cut.error.contains(long_line)) << cut.error.toStdString();
}

} // namespace
} // namespace velmora
