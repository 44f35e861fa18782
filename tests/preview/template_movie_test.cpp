#include "preview/template_movie.h"

#include "preview/movie_fixture.h"
#include "support/test_support.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

// The names of the layers rlottie is given for a fully opaque background.
std::vector<std::string> drawn_layers(const TemplateMovie& movie) {
    std::vector<std::string> names;
    const Json root = Json::parse(movie.lottie_json(100));
    for (const Json& layer : root["layers"])
        names.push_back(layer.value("nm", std::string()));
    return names;
}

bool draws_backdrop(const TemplateMovie& movie) {
    const auto names = drawn_layers(movie);
    return std::find(names.begin(), names.end(), "backdrop") != names.end();
}

// The fixture movie with its background layer changed by `edit`, and its pictures.
class BackgroundCover : public ::testing::Test {
protected:
    test::TempFolder folder;

    TemplateMovie movie(const std::function<void(Json& background)>& edit = {},
                        QSize background_picture = {1920, 1080}) {
        Json root = Json::parse(test::movie_json().toStdString());
        for (Json& layer : root["layers"])
            if (layer.value("nm", std::string()) == TemplateMovie::kBackgroundLayer && edit)
                edit(layer);
        folder.write("picture_1.jpg", test::plain_jpeg({960, 540}, Qt::red));
        folder.write("wj_y_l_b_j.jpg", test::plain_jpeg(background_picture, Qt::green));
        return TemplateMovie::read(folder.write("movie.rar", QByteArray::fromStdString(root.dump())));
    }
};

std::vector<std::string> layer_names(const std::string& json) {
    std::vector<std::string> names;
    const Json root = Json::parse(json);
    for (const Json& layer : root["layers"])
        names.push_back(layer.value("nm", std::string()));
    return names;
}

TEST_F(BackgroundCover, LayersUnderAnOpaqueCoveringBackgroundAreLeftOut) {
    const TemplateMovie plain = movie();
    EXPECT_FALSE(draws_backdrop(plain));
    const auto names = drawn_layers(plain);
    EXPECT_EQ(names.back(), TemplateMovie::kBackgroundLayer);
    // With any transparency the backdrop shows through, so it stays.
    EXPECT_NE(plain.lottie_json(60).find("backdrop"), std::string::npos);
}

TEST_F(BackgroundCover, ABackgroundThatMayLeaveAGapKeepsTheLayersUnderIt) {
    const std::vector<std::pair<const char*, std::function<void(Json&)>>> cases = {
        {"shrinks below the canvas", [](Json& l) { l["ks"]["s"] = {{"a", 0}, {"k", {90, 90, 100}}}; }},
        {"moved off the edge", [](Json& l) { l["ks"]["p"] = {{"a", 0}, {"k", {40, 0, 0}}}; }},
        {"rotated", [](Json& l) { l["ks"]["r"] = {{"a", 0}, {"k", 5}}; }},
        {"not opaque", [](Json& l) { l["ks"]["o"] = {{"a", 0}, {"k", 80}}; }},
        {"starts late", [](Json& l) { l["ip"] = 10; }},
        {"hidden", [](Json& l) { l["hd"] = true; }},
        {"scale keyframes overshooting",
         [](Json& l) {
             l["ks"]["s"] = {{"a", 1},
                             {"k", Json::array({Json{{"t", 0}, {"s", {100, 100, 100}}, {"e", {110, 110, 100}},
                                                     {"i", {{"x", {0.5}}, {"y", {1.4}}}},
                                                     {"o", {{"x", {0.5}}, {"y", {-0.4}}}}},
                                                Json{{"t", 20}, {"s", {110, 110, 100}}}})}};
         }},
    };
    for (const auto& [name, edit] : cases) {
        EXPECT_TRUE(draws_backdrop(movie(edit))) << name;
        EXPECT_FALSE(movie(edit).background_apart()) << name;
    }
    // A picture of another aspect is fitted with transparent margins.
    EXPECT_TRUE(draws_backdrop(movie({}, {1000, 1000})));
}

TEST_F(BackgroundCover, ACoveringBackgroundComesApartFromTheLayersOverIt) {
    const auto parts = movie().background_apart();
    ASSERT_TRUE(parts);
    EXPECT_EQ(layer_names(parts->scene), (std::vector<std::string>{"mark", "photo_1"}));
    EXPECT_EQ(layer_names(parts->background), std::vector<std::string>{TemplateMovie::kBackgroundLayer});
    const Json background = Json::parse(parts->background);
    ASSERT_EQ(background["assets"].size(), 1u);
    EXPECT_EQ(background["assets"][0]["id"], "background");
    EXPECT_EQ(background["w"], 1920);
    EXPECT_EQ(background["op"], Json::parse(parts->scene)["op"]);
    EXPECT_EQ(Json::parse(parts->scene)["assets"].size(), 1u) << "the scene keeps only the slot picture";
}

TEST_F(BackgroundCover, AGrowingBackgroundStillCovers) {
    const TemplateMovie growing = movie([](Json& l) {
        l["ks"]["s"] = {{"a", 1},
                        {"k", Json::array({Json{{"t", 0}, {"s", {100, 100, 100}}, {"e", {108, 108, 100}},
                                                {"i", {{"x", {1}}, {"y", {1}}}}, {"o", {{"x", {0}}, {"y", {0}}}}},
                                           Json{{"t", 49}, {"s", {108, 108, 100}}}})}};
    });
    EXPECT_FALSE(draws_backdrop(growing));
}

} // namespace
} // namespace velmora
