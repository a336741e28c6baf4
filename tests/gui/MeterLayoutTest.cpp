#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"

#include <gtest/gtest.h>

#include <utility>

TEST(MeterLayout, SegmentCountFollowsTheInnerHeight)
{
    const std::pair<float, int> cases[] = {{170.0f, 10}, {300.0f, 10}, {169.0f, 9}, {85.0f, 5}, {68.0f, 4}, {10.0f, 4}};
    for (const auto& [height, count] : cases)
        EXPECT_EQ(meterSegmentCount(height), count) << height;
}

TEST(MeterLayout, LitSegmentsForAGivenLevel)
{
    const auto litCount = [](float level, int count, bool on) {
        int lit = 0;
        for (int i = 0; i < count; ++i)
            lit += isMeterSegmentLit(i, count, level, on) ? 1 : 0;
        return lit;
    };
    EXPECT_EQ(litCount(0.5f, 10, true), 5);
    EXPECT_EQ(litCount(1.0f, 10, true), 10);
    EXPECT_EQ(litCount(1.0f, 4, true), 4);
    EXPECT_EQ(litCount(0.0f, 10, true), 0);
    EXPECT_EQ(litCount(0.03f, 10, true), 1); // the first segment lights from 0.1 - 0.08
    EXPECT_EQ(litCount(1.0f, 10, false), 0);

    EXPECT_EQ(meterSegmentColour(7, true, true), palette::panel::meterSegment);
    EXPECT_EQ(meterSegmentColour(8, true, true), palette::panel::meterSegmentTop);
    EXPECT_EQ(meterSegmentColour(9, true, false), palette::panel::meterSegmentTop.withAlpha((juce::uint8) 0x33));
    EXPECT_EQ(meterSegmentColour(9, false, false), palette::panel::unpowered.withAlpha((juce::uint8) 0x33));
}

TEST(MeterLayout, SegmentsFillTheInnerAreaFromTheBottomUp)
{
    const auto m = layoutLevelMeter({0.0f, 0.0f, 40.0f, 240.0f});
    EXPECT_FLOAT_EQ(m.captionArea.getHeight(), 26.4f); // 11 % of 240
    EXPECT_EQ(m.count, meterSegmentCount(m.inner.getHeight()));
    EXPECT_FLOAT_EQ(m.segment(0).getBottom(), m.inner.getBottom());
    EXPECT_NEAR(m.segment(m.count - 1).getY(), m.inner.getY(), 1.0e-3f);
    EXPECT_NEAR(m.segment(1).getBottom(), m.segment(0).getY() - m.gap, 1.0e-3f);
    EXPECT_TRUE(m.bar.contains(m.inner));
}
