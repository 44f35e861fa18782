// What the making window writes beside its bars.
#include "production/making_progress.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

ProductionState two_templates() {
    ProductionState state;
    state.xuyao_shiyongmoban_shuliang = {{UsedTemplate{.catalogue_number = 1, .template_name = "远山"}, 0},
                                         {UsedTemplate{.catalogue_number = 0, .template_name = "晨光"}, 2}};
    state.duiying_keyong_hanghao = {0, 1};
    return state;
}

TEST(MovieProgress, NamesTheMovieWithItsFramesMadeOfItsFrameCount) {
    TemplateCatalogue catalogue;
    catalogue.mobancanshu.resize(2);
    catalogue.mobancanshu[0].mbdx = "150";
    catalogue.mobancanshu[1].mbdx = " 200 ";
    ProductionState state = two_templates();
    const struct {
        int position;
        int last_frame;
        const char* text;
    } cases[] = {
        {0, -1, "远山  0%  0/200 帧"},        // loaded, no frame taken yet
        {0, 49, "远山  25%  50/200 帧"},
        {1, 149, "晨光  100%  150/150 帧"},
        {1, 180, "晨光  100%  150/150 帧"},   // held past its end under music sync
        {2, 74, "片尾  50%  75/150 帧"},      // one past the templates: the closing movie
    };
    for (const auto& c : cases) {
        state.moban_hanghao_leijia = c.position;
        state.dangemoban_leijiazhen_num = c.last_frame;
        EXPECT_EQ(movie_progress_text(movie_progress(state, catalogue)), QString::fromUtf8(c.text)) << c.text;
    }
}

TEST(MakingProgress, PercentagesStayWithinTheBar) {
    EXPECT_EQ(frames_progress_text(0, 0), "0%  0/0 帧");
    EXPECT_EQ(frames_progress_text(1324, 1325), "99%  1324/1325 帧");
    EXPECT_EQ(percent_of(20, 10), 100);
    EXPECT_EQ(percent_of(-1, 10), 0);
}

TEST(MakingClock, EstimatesTheTimeLeftFromTheRateSinceTheFirstFrame) {
    MakingClock clock;
    clock.start(1000);
    clock.frames_made(0, 1000, 9000);            // eight seconds of preparing the workspace
    EXPECT_EQ(clock.text(), "已用时间 00:00:08    剩余时间 --:--:--");
    clock.frames_made(1, 1000, 10000);           // the rate is measured from the first frame on
    EXPECT_EQ(clock.remaining_ms(), -1);
    clock.frames_made(251, 1000, 20000);         // 250 frames in 10 s: 749 more take 29.96 s
    EXPECT_EQ(clock.remaining_ms(), 29960);
    EXPECT_EQ(clock.text(), "已用时间 00:00:19    剩余时间 00:00:30");
    clock.frames_made(1000, 1000, 50000);
    EXPECT_EQ(clock.text(), "已用时间 00:00:49    剩余时间 00:00:00");
    clock.start(0);                              // a new run forgets the last one's rate
    EXPECT_EQ(clock.remaining_ms(), -1);
}

} // namespace
} // namespace velmora
