// Checks the data folder the build ships: round counts, markers, frame counts, the fixed size
// of the start-up movie, that combinations name real templates, and that builds are repeatable.

#include <map>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include <iconv.h>
#include <nlohmann/json.hpp>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>

#include "core/data_root.h"
#include "core/packed_kind.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using nlohmann::json;
using Ini = std::map<std::string, std::map<std::string, std::string>>;

constexpr const char* kTemplateMarker = "l_x_z_k_t_f_c_s_y_q_rx_c_w_j";

const DataRoot& shipped() {
    static const DataRoot root(QStringLiteral(VELMORA_DATA_ROOT));
    return root;
}

// Unpacks `rounds` times (throwing if the file holds fewer rounds) and checks that the result
// is no longer a packed file, so a file packed with more rounds fails here too.
// Every round stays within the kind's cap.
QByteArray unpack_exactly(const QString& path, const PackedKind& kind) {
    QByteArray data = test::read_file(path);
    for (int k = 1; k <= kind.rounds; ++k)
        unpack_once(data, kind.max_content_bytes, path);
    QByteArray once_more = data;
    EXPECT_ANY_THROW(unpack_once(once_more, kind.max_content_bytes))
        << path.toStdString() << " holds more than " << kind.rounds << " rounds";
    return data;
}

std::string gbk_to_utf8(const QByteArray& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out(gbk.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(gbk.constData());
    size_t in_left = gbk.size(), out_left = out.size();
    char* out_ptr = out.data();
    const size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<size_t>(-1)) << "not valid GBK";
    out.resize(out.size() - out_left);
    return out;
}

Ini parse_ini(const std::string& text) {
    Ini ini;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() > 1 && line.front() == '[' && line.back() == ']')
            section = line.substr(1, line.size() - 2);
        else if (const size_t eq = line.find('='); eq != std::string::npos)
            ini[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
    return ini;
}

std::vector<std::string> bar_items(const std::string& text) {
    std::vector<std::string> items;
    size_t at = text.find('|');
    while (at != std::string::npos) {
        const size_t next = text.find('|', at + 1);
        if (next == std::string::npos)
            break;
        items.push_back(text.substr(at + 1, next - at - 1));
        at = next;
    }
    return items;
}

QStringList packed_files_in(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.rar")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

std::string marker_answer(const json& movie, const std::string& name) {
    for (const json& m : movie.value("markers", json::array())) {
        const std::string cm = m.value("cm", "");
        if (cm.rfind(name + "=", 0) == 0)
            return cm.substr(name.size() + 1);
    }
    return {};
}

const json* layer_named(const json& movie, const std::string& name) {
    for (const json& layer : movie.at("layers"))
        if (layer.value("nm", "") == name)
            return &layer;
    return nullptr;
}

const json* asset_with_id(const json& movie, const std::string& id) {
    for (const json& asset : movie.at("assets"))
        if (asset.value("id", "") == id)
            return &asset;
    return nullptr;
}

struct Template {
    Ini params;
    json movie;
};

std::vector<Template> shipped_templates() {
    const QStringList params = packed_files_in(shipped().template_params_folder());
    const QStringList movies = packed_files_in(shipped().template_movies_folder());
    EXPECT_EQ(params.size(), movies.size());
    std::vector<Template> templates;
    for (qsizetype i = 0; i < params.size() && i < movies.size(); ++i) {
        EXPECT_EQ(QFileInfo(params[i]).fileName(), QFileInfo(movies[i]).fileName()) << "trees pair by position";
        templates.push_back({parse_ini(gbk_to_utf8(unpack_exactly(params[i], packed_kind::kTemplateParams))),
                             json::parse(unpack_exactly(movies[i], packed_kind::kTemplateMovie).toStdString())});
    }
    return templates;
}

// The class the catalogue gives a template from its orientations.
std::string template_class(const std::vector<std::string>& orientations) {
    int heng = 0, shu = 0;
    for (const std::string& o : orientations) {
        heng += o == "heng";
        shu += o == "shu";
    }
    if (orientations.size() == 1)
        return orientations.front();
    return (heng && shu) || heng > 1 || shu > 1 ? "gaojimoban" : "";
}

TEST(ShippedTemplates, ParametersAndMoviesAgree) {
    const std::vector<Template> templates = shipped_templates();
    ASSERT_GE(templates.size(), 10u);
    for (const Template& t : templates) {
        const auto& head = t.params.at("l_x_v_e_l_m_w_j_s_y");
        const std::string name = head.at("l_x_v_e_l_m_w_j_s_y_m_c");
        SCOPED_TRACE(name);
        EXPECT_EQ(head.at("l_x_v_e_l_m_w_j_s_y"), "v_e_l_m_s_y_l_x");
        const auto& p = t.params.at("1");
        const int frames = t.movie.at("op").get<int>() - t.movie.at("ip").get<int>();
        EXPECT_EQ(std::stoi(p.at("mbdx")), frames);
        EXPECT_GE(frames, 100);
        EXPECT_LE(frames, 250);
        EXPECT_EQ(t.movie.at("fr").get<double>(), 25.0);
        EXPECT_EQ(t.movie.at("w").get<int>(), 1920);
        EXPECT_EQ(t.movie.at("h").get<int>(), 1080);
        EXPECT_EQ(marker_answer(t.movie, "l_x_z_q_r_f_c_x_c"), kTemplateMarker);
        EXPECT_TRUE(t.params.at("0").count("sl"));
        for (const char* key : {"mblx", "mbfl", "xpsl", "wxcs01", "wxcs02", "wxcs03", "wxcs04"})
            EXPECT_TRUE(p.count(key)) << key;
        EXPECT_EQ(bar_items(p.at("wxcs01")).size(), bar_items(p.at("wxcs02")).size());

        const auto names = bar_items(p.at("xpjpgmc")), widths = bar_items(p.at("xpkd")),
                   heights = bar_items(p.at("xpgd")), kinds = bar_items(p.at("szhz"));
        ASSERT_EQ(names.size(), widths.size());
        ASSERT_EQ(names.size(), heights.size());
        ASSERT_EQ(names.size(), kinds.size());
        EXPECT_FALSE(template_class(kinds).empty()) << "fits no template class";
        for (size_t k = 0; k < names.size(); ++k) {
            const json* asset = asset_with_id(t.movie, names[k]);
            ASSERT_NE(asset, nullptr) << names[k];
            EXPECT_EQ(asset->at("p").get<std::string>(), names[k] + ".jpg");
            EXPECT_EQ(asset->at("w").get<int>(), std::stoi(widths[k]));
            EXPECT_EQ(asset->at("h").get<int>(), std::stoi(heights[k]));
        }
        const json* previous = asset_with_id(t.movie, "picture_0");
        ASSERT_NE(previous, nullptr);
        EXPECT_EQ(previous->at("u").get<std::string>() + previous->at("p").get<std::string>(), "../../pic/picture_0.jpg");
        const json* background = layer_named(t.movie, "wj_y_l_b_j");
        ASSERT_NE(background, nullptr);
        EXPECT_EQ(asset_with_id(t.movie, background->at("refId").get<std::string>())->at("p").get<std::string>(),
                  "wj_y_l_b_j.jpg");
    }
}

TEST(ShippedTemplates, CoverEveryClassAndADerivedPicture) {
    std::map<std::string, int> classes;
    bool derived = false;
    for (const Template& t : shipped_templates()) {
        classes[template_class(bar_items(t.params.at("1").at("szhz")))]++;
        for (const std::string& name : bar_items(t.params.at("1").at("xpjpgmc")))
            derived = derived || std::count(name.begin(), name.end(), '_') == 2;
    }
    EXPECT_GE(classes["heng"], 2);
    EXPECT_GE(classes["shu"], 2);
    EXPECT_GE(classes["shuheng"], 1);
    EXPECT_GE(classes["gaojimoban"], 3);
    EXPECT_TRUE(derived);
}

TEST(ShippedMovies, StartupMovieHasItsExactSizeAndMarker) {
    EXPECT_EQ(QFileInfo(shipped().startup_movie()).size(), kStartupMovieSize);
    const json movie = json::parse(unpack_exactly(shipped().startup_movie(), packed_kind::kStartupMovie).toStdString());
    EXPECT_EQ(marker_answer(movie, "l_x_z_f_c_q_d_x_c"), "l_x_z_f_c_s_y_q_d_x_c_w_j");
    EXPECT_TRUE(movie.at("assets").empty()) << "the start-up movie is vector only";
}

TEST(ShippedMovies, ClosingAndBackgroundDemoMovies) {
    const json closing = json::parse(unpack_exactly(shipped().closing_movie(), packed_kind::kClosingMovie).toStdString());
    EXPECT_EQ(closing.at("op").get<int>() - closing.at("ip").get<int>(), 150);
    EXPECT_EQ(marker_answer(closing, "l_x_z_q_r_f_c_x_c"), kTemplateMarker);
    ASSERT_NE(asset_with_id(closing, "picture_0"), nullptr);

    const json demo = json::parse(
        unpack_exactly(shipped().background_demo_movie(), packed_kind::kBackgroundDemoMovie).toStdString());
    EXPECT_EQ(marker_answer(demo, "l_x_z_q_r_f_c_x_c"), kTemplateMarker);
    const json* background = layer_named(demo, "wj_y_l_b_j");
    ASSERT_NE(background, nullptr);
    const json* asset = asset_with_id(demo, background->at("refId").get<std::string>());
    EXPECT_EQ(asset->at("u").get<std::string>() + asset->at("p").get<std::string>(), "wj_y_l_b_j.jpg");
}

TEST(ShippedPictures, DefaultBackgroundIsAFullFrameJpeg) {
    const QByteArray jpeg = unpack_exactly(shipped().default_background(), packed_kind::kDefaultBackground);
    const QImage image = QImage::fromData(jpeg, "JPEG");
    EXPECT_EQ(image.size(), QSize(1920, 1080));
}

TEST(ShippedCombinations, EntriesNameShippedTemplatesWithTheirCounts) {
    // name -> (landscape, portrait) counts per class list the template appears in
    std::multimap<std::string, std::pair<int, int>> offered;
    for (const Template& t : shipped_templates()) {
        const auto& p = t.params.at("1");
        const auto names = bar_items(p.at("xpjpgmc")), kinds = bar_items(p.at("szhz"));
        const std::string cls = template_class(kinds);
        for (const std::string list : {"heng", "shu", "gaojimoban"}) {
            if (!(cls == list || (cls == "shuheng" && list != "gaojimoban")))
                continue;
            int landscape = 0, portrait = 0;
            for (size_t k = 0; k < names.size(); ++k) {
                if (std::count(names[k].begin(), names[k].end(), '_') != 1)
                    continue;
                const bool either_as_portrait = list == "shu";
                (kinds[k] == "heng" || (kinds[k] == "shuheng" && !either_as_portrait) ? landscape : portrait)++;
            }
            offered.insert({t.params.at("l_x_v_e_l_m_w_j_s_y").at("l_x_v_e_l_m_w_j_s_y_m_c"), {landscape, portrait}});
        }
    }
    int files = 0;
    for (int n = 1; QFileInfo::exists(shipped().combination(n)); ++n, ++files) {
        const Ini ini = parse_ini(gbk_to_utf8(unpack_exactly(shipped().combination(n), packed_kind::kCombination)));
        const auto& section = ini.at("zuhemoban_canshu");
        const int count = std::stoi(section.at("shuliang"));
        ASSERT_GT(count, 0);
        for (int k = 1; k <= count; ++k) {
            const std::string entry = section.at("canshu_" + std::to_string(k));
            SCOPED_TRACE(entry);
            const size_t a = entry.find('~'), b = entry.find('~', a + 1), c = entry.find('~', b + 1);
            ASSERT_NE(c, std::string::npos);
            const std::pair<int, int> counts{std::stoi(entry.substr(a + 1, b - a - 1)),
                                             std::stoi(entry.substr(b + 1, c - b - 1))};
            const auto [first, last] = offered.equal_range(entry.substr(0, a));
            EXPECT_TRUE(std::any_of(first, last, [&](const auto& o) { return o.second == counts; }));
        }
    }
    EXPECT_EQ(files, 2);
}

QMap<QString, QByteArray> files_below(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), test::read_file(path));
    }
    return files;
}

void run_builder(const QString& output) {
    QProcess builder;
    builder.start(QStringLiteral(VELMORA_DATABUILD), {QStringLiteral(VELMORA_DATA_SOURCES), output});
    ASSERT_TRUE(builder.waitForFinished(120000));
    ASSERT_EQ(builder.exitCode(), 0) << builder.readAllStandardError().toStdString();
}

TEST(DataBuilder, BuildsTheSameBytesEveryTime) {
    test::TempFolder temp;
    run_builder(temp.file(QStringLiteral("first/smxcwjj")));
    run_builder(temp.file(QStringLiteral("second/smxcwjj")));
    const auto first = files_below(temp.file(QStringLiteral("first/smxcwjj")));
    const auto second = files_below(temp.file(QStringLiteral("second/smxcwjj")));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first.keys(), second.keys());
    for (auto it = first.cbegin(); it != first.cend(); ++it)
        EXPECT_EQ(it.value(), second.value(it.key())) << it.key().toStdString() << " differs between builds";
}

TEST(DataBuilder, RebuildReplacesTheFolderAndBadSourcesChangeNothing) {
    test::TempFolder temp;
    const QString output = temp.file(QStringLiteral("smxcwjj"));
    temp.write(QStringLiteral("smxcwjj/stale.txt"), "left from an older build");
    run_builder(output);
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("smxcwjj/stale.txt"))));
    const auto built = files_below(output);

    // A source tree whose template names a picture size beyond the frame.
    test::TempFolder bad;
    QProcess copy;
    copy.start(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(VELMORA_DATA_SOURCES), bad.file(QStringLiteral("data"))});
    ASSERT_TRUE(copy.waitForFinished());
    const QString source = bad.file(QStringLiteral("data/templates/01_chenguang.json"));
    QByteArray text = test::read_file(source);
    text.replace("\"width\": 1920", "\"width\": 4000");
    bad.write(QStringLiteral("data/templates/01_chenguang.json"), text);
    QProcess builder;
    builder.start(QStringLiteral(VELMORA_DATABUILD), {bad.file(QStringLiteral("data")), output});
    ASSERT_TRUE(builder.waitForFinished(120000));
    EXPECT_NE(builder.exitCode(), 0);
    EXPECT_TRUE(builder.readAllStandardError().contains("01_chenguang.json"));
    EXPECT_EQ(files_below(output), built) << "a failed build leaves the previous folder alone";
}

} // namespace
} // namespace velmora
