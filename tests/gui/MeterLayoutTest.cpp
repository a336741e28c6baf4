#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"
#include "editor/meters/MeterPeaks.h"

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

TEST(MeterLayout, TwoColumnsAScaleAndAPeakBoxOnAWideMeter)
{
    // The input meter of the reference panel.
    const auto m = layoutLevelMeter({1008.0f, 468.0f, 70.0f, 192.0f});
    ASSERT_EQ(m.channels, 2);
    const auto left = m.column(0), right = m.column(1);
    EXPECT_FLOAT_EQ(left.getX(), m.inner.getX());
    EXPECT_FLOAT_EQ(right.getRight(), m.inner.getRight());
    EXPECT_NEAR(right.getX() - left.getRight(), m.gap, 1.0e-4f);
    EXPECT_FLOAT_EQ(left.getWidth(), right.getWidth());
    EXPECT_FLOAT_EQ(m.segment(0, 1).getBottom(), m.inner.getBottom());

    // The peak box between the caption and the trough.
    EXPECT_GE((float) m.peakBox.getY(), m.captionArea.getBottom());
    EXPECT_LE((float) m.peakBox.getBottom(), m.bar.getY());

    // Every mark labelled, in the gutter left of the trough, centred on its height, top to bottom.
    for (size_t i = 0; i < MeterLayout::markDb.size(); ++i)
    {
        const auto& label = m.scaleLabels[i];
        ASSERT_NE(label.text, nullptr) << i;
        EXPECT_LE((float) label.box.getRight(), m.bar.getX());
        EXPECT_NEAR((float) label.box.getCentreY(), m.yForPosition(1.0f + MeterLayout::markDb[i] / 60.0f), 1.5f)
            << label.text;
    }
    EXPECT_FLOAT_EQ(m.yForPosition(1.0f), m.inner.getY());
    EXPECT_FLOAT_EQ(m.yForPosition(0.0f), m.inner.getBottom());
}

TEST(MeterLayout, ANarrowMeterShowsOneColumnAndNoScale)
{
    const auto m = layoutLevelMeter({0.0f, 0.0f, 18.0f, 60.0f}, 0.4f);
    EXPECT_EQ(m.channels, 1);
    EXPECT_EQ(m.column(0), m.inner);
    for (const auto& label : m.scaleLabels)
        EXPECT_EQ(label.text, nullptr);
    EXPECT_TRUE(m.peakBox.isEmpty()); // "-60.0" is wider than the meter
}

TEST(MeterLayout, PeakTextInDecibels)
{
    const std::pair<float, const char*> cases[] = {
        {1.0f, "0.0"}, {1.5f, "0.0"}, {0.9f, "-6.0"}, {0.5f, "-30.0"}, {0.001f, "-59.9"}, {0.0f, "-inf"}};
    for (const auto& [position, text] : cases)
        EXPECT_EQ(meterPeakText(position), juce::String(text)) << position;
}

TEST(MeterPeaks, HoldTheRecentPeakAndTheHighestUntilReset)
{
    MeterPeaks p;
    p.take(0, 0.7f, 0.0);
    p.take(1, 0.4f, 0.0);
    p.take(0, 0.5f, 1000.0); // lower, within the hold: the mark stays
    EXPECT_FLOAT_EQ(p.held(0), 0.7f);
    EXPECT_FLOAT_EQ(p.held(1), 0.4f);
    p.take(0, 0.3f, MeterPeaks::holdMs); // the hold ran out: the mark drops to the level
    EXPECT_FLOAT_EQ(p.held(0), 0.3f);
    p.take(0, 0.35f, MeterPeaks::holdMs + 10.0); // a higher level raises it at once
    EXPECT_FLOAT_EQ(p.held(0), 0.35f);

    EXPECT_FLOAT_EQ(p.highest(), 0.7f); // across channels, however long ago
    EXPECT_FALSE(p.isOver());
    p.take(1, 1.0f, 5000.0);
    p.take(1, 0.0f, 60000.0);
    EXPECT_TRUE(p.isOver());
    EXPECT_FLOAT_EQ(p.highest(), 1.0f);

    p.reset();
    EXPECT_FALSE(p.isOver());
    EXPECT_FLOAT_EQ(p.highest(), 0.0f);
    EXPECT_FLOAT_EQ(p.held(0), 0.0f);
}
