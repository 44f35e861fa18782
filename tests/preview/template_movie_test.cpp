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
        return movie_edited(TemplateMovie::kBackgroundLayer, edit, background_picture);
    }

    // The fixture movie with its layer `name` changed by `edit`.
    TemplateMovie movie_edited(const std::string& name, const std::function<void(Json& layer)>& edit,
                               QSize background_picture = {1920, 1080}) {
        Json root = Json::parse(test::movie_json().toStdString());
        for (Json& layer : root["layers"])
            if (layer.value("nm", std::string()) == name && edit)
                edit(layer);
        folder.write("picture_1.jpg", test::plain_jpeg({960, 540}, Qt::red));
        folder.write("wj_y_l_b_j.jpg", test::plain_jpeg(background_picture, Qt::green));
        return TemplateMovie::read(folder.write("movie.rar", QByteArray::fromStdString(root.dump())));
    }
};

std::vector<std::string> layer_names(const std::string& json) {
    std::vector<std::string> names;
    if (json.empty())
        return names;
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
        EXPECT_TRUE(movie(edit).parts(100).background.empty()) << name;
    }
    // A picture of another aspect is fitted with transparent margins.
    EXPECT_TRUE(draws_backdrop(movie({}, {1000, 1000})));
}

// The fixture: a still white mark over a still photo over the covering background.
TEST_F(BackgroundCover, ACoveringBackgroundAndStillTopLayersComeApart) {
    const TemplateMovie::Parts parts = movie().parts(100);
    EXPECT_EQ(layer_names(parts.background), std::vector<std::string>{TemplateMovie::kBackgroundLayer});
    EXPECT_EQ(layer_names(parts.still_top), (std::vector<std::string>{"mark", "photo_1"}));
    EXPECT_TRUE(layer_names(parts.scene).empty());
    const Json background = Json::parse(parts.background);
    ASSERT_EQ(background["assets"].size(), 1u);
    EXPECT_EQ(background["assets"][0]["id"], "background");
    EXPECT_EQ(background["w"], 1920);
    EXPECT_EQ(background["op"], Json::parse(parts.scene)["op"]);
    EXPECT_TRUE(Json::parse(parts.scene)["assets"].empty()) << "the scene shows no picture";
    EXPECT_EQ(Json::parse(parts.still_top)["assets"].size(), 1u) << "the still top shows the slot picture";

    // Shown through, the background is drawn with the rest; here all of it is still.
    const TemplateMovie::Parts faded = movie().parts(60);
    EXPECT_TRUE(faded.background.empty());
    EXPECT_EQ(layer_names(faded.still_top), (std::vector<std::string>{"mark", "photo_1", "wj_y_l_b_j", "backdrop"}));
}

TEST_F(BackgroundCover, OnlyUnchangingTopLayersCountAsStill) {
    const Json at_slot = {480, 270, 0};
    const std::vector<std::pair<const char*, std::function<void(Json&)>>> moving_photo = {
        {"moves", [&](Json& l) { l["ks"]["p"] = test::moving(at_slot, {500, 270, 0}); }},
        {"keyframes without the animated flag", [&](Json& l) { l["ks"]["p"] = test::moving(at_slot, {500, 270, 0}); l["ks"]["p"].erase("a"); }},
        {"fades", [](Json& l) { l["ks"]["o"] = test::moving({100}, {0}); }},
        {"expression", [](Json& l) { l["ks"]["o"]["x"] = "time * 10"; }},
        {"starts late", [](Json& l) { l["ip"] = 5; }},
        {"ends early", [](Json& l) { l["op"] = 30; }},
        {"time remapped", [](Json& l) { l["tm"] = {{"a", 0}, {"k", 0}}; }},
        {"another blend", [](Json& l) { l["bm"] = 3; }},
        {"track matte", [](Json& l) { l["tt"] = 1; }},
    };
    for (const auto& [name, edit] : moving_photo) {
        const TemplateMovie::Parts parts = movie_edited("photo_1", edit).parts(100);
        EXPECT_EQ(layer_names(parts.still_top), std::vector<std::string>{"mark"}) << name;
        EXPECT_EQ(layer_names(parts.scene), std::vector<std::string>{"photo_1"}) << name;
    }
    // A layer that moves another keeps its place for the other's sake, and so does the other.
    const TemplateMovie::Parts parent = movie_edited("photo_1", [](Json& l) { l["parent"] = 1; }).parts(100);
    EXPECT_TRUE(layer_names(parent.still_top).empty());
    EXPECT_EQ(layer_names(parent.scene), (std::vector<std::string>{"mark", "photo_1"}));
    const TemplateMovie::Parts on_background = movie_edited("photo_1", [](Json& l) { l["parent"] = 3; }).parts(100);
    EXPECT_TRUE(on_background.background.empty());
    EXPECT_EQ(layer_names(on_background.scene), (std::vector<std::string>{"photo_1", "wj_y_l_b_j"}));
    // When the top layer moves, nothing under it is still on top.
    const TemplateMovie::Parts moving_mark = movie_edited("mark", [](Json& l) { l["ks"]["o"] = test::moving({100}, {0}); }).parts(100);
    EXPECT_TRUE(moving_mark.still_top.empty());
    EXPECT_EQ(layer_names(moving_mark.scene), (std::vector<std::string>{"mark", "photo_1"}));
}

// The photo moves, so it stays in the scene under the still mark.
TEST_F(BackgroundCover, PicturesOfTheSceneThatCanBeLaidApartAreListed) {
    const auto moves = [](Json& l) { l["ks"]["p"] = test::moving({480, 270, 0}, {500, 270, 0}); };
    const TemplateMovie::Parts plain = movie_edited("photo_1", moves).parts(100);
    ASSERT_EQ(plain.pictures.size(), 1u);
    EXPECT_EQ(plain.pictures[0].depth, 0);
    EXPECT_EQ(QImage::fromData(plain.pictures[0].file).size(), test::kSlotRect.size());
    EXPECT_TRUE(layer_names(plain.scene_without_pictures).empty());
    EXPECT_EQ(layer_names(plain.picture_probe), std::vector<std::string>{plain.pictures[0].probe_name});
    EXPECT_EQ(layer_names(plain.scene), std::vector<std::string>{"photo_1"}) << "the whole scene stays for other frames";

    // Parented to the mark, the photo is probed with it, and the mark stays in the scene.
    const TemplateMovie::Parts parented = movie_edited("photo_1", [&](Json& l) { moves(l); l["parent"] = 1; }).parts(100);
    ASSERT_EQ(parented.pictures.size(), 1u);
    EXPECT_EQ(parented.pictures[0].depth, 1);
    EXPECT_EQ(layer_names(parented.scene_without_pictures), std::vector<std::string>{"mark"});
    EXPECT_EQ(parented.scene_without_pictures_depths, std::vector<int>{0});
    EXPECT_EQ(layer_names(parented.picture_probe), (std::vector<std::string>{"mark", parented.pictures[0].probe_name}));

    const QRectF whole(0, 0, 960, 540);
    const std::vector<std::pair<const char*, std::function<void(Json&)>>> kept_in_place = {
        {"fixed mask", [&](Json& l) { l["masksProperties"] = Json::array({test::rectangle_mask(whole)}); }},
        {"inverted reveal",
         [&](Json& l) {
             l["masksProperties"] = Json::array({test::rectangle_mask(whole, 20)});
             l["masksProperties"][0]["inv"] = true;
         }},
        {"subtracting reveal",
         [&](Json& l) {
             l["masksProperties"] = Json::array({test::rectangle_mask(whole, 20)});
             l["masksProperties"][0]["mode"] = "s";
         }},
        {"track matte", [](Json& l) { l["tt"] = 1; }},
        {"another blend", [](Json& l) { l["bm"] = 3; }},
        {"time remapped", [](Json& l) { l["tm"] = {{"a", 0}, {"k", 0}}; }},
    };
    for (const auto& [name, edit] : kept_in_place) {
        const auto& apply_edit = edit; // clang before 16 cannot capture a structured binding
        const TemplateMovie::Parts parts = movie_edited("photo_1", [&](Json& l) { moves(l); apply_edit(l); }).parts(100);
        EXPECT_TRUE(parts.pictures.empty()) << name;
        EXPECT_TRUE(parts.scene_without_pictures.empty()) << name;
    }
    const TemplateMovie::Parts revealed =
        movie_edited("photo_1", [&](Json& l) { l["masksProperties"] = Json::array({test::rectangle_mask(whole, 20)}); }).parts(100);
    EXPECT_EQ(revealed.pictures.size(), 1u) << "a reveal stops clipping once open";
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
