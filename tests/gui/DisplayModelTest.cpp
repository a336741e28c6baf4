#include "editor/display/DisplayModel.h"
#include "editor/display/PlotGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DisplayModel, DefaultsGiveTheKnownCurveFigures)
{
    const auto model = computeDisplayModel(DisplaySettings{});

    ASSERT_EQ(model.numPoints, 221);
    EXPECT_EQ(model.dry[0], 1.45f); // clamped
    EXPECT_NEAR(model.shaped[0], 2.05f, 0.01f);
    EXPECT_EQ(model.peak, model.shaped[0]);
    for (int k = 0; k < model.numPoints; ++k)
        EXPECT_LE(model.shaped[(size_t) k], model.peak);
    EXPECT_FLOAT_EQ(model.clipLevel, 0.46f);

    // The clip line sits at about 20 % of the span above the zero line.
    EXPECT_NEAR(model.clipLevel / (model.peak * 1.12f), 0.20f, 0.005f);

    EXPECT_NEAR(model.dryAlpha * 0.86f, 0.24f, 0.005f);
    EXPECT_FLOAT_EQ(model.shapedAmount, 1.0f);
    EXPECT_TRUE(model.showsShapedCurve);
    EXPECT_TRUE(model.showsClipLine);
    EXPECT_NEAR(model.punchShow, 0.345f, 1.0e-6f); // 0.3 raised by 15 % in Punch mode

    // The hit decays: the tail ends far below the click.
    EXPECT_LT(model.dry[220], 0.1f * model.dry[0]);
}

TEST(DisplayModel, DryMixHidesTheShapedCurveButKeepsItsShape)
{
    DisplaySettings settings;
    settings.parameters.set(ParameterIDs::mix, 0.0f);
    const auto dry = computeDisplayModel(settings);
    const auto full = computeDisplayModel(DisplaySettings{});

    EXPECT_FALSE(dry.showsShapedCurve);
    EXPECT_FLOAT_EQ(dry.dryAlpha, 1.0f);
    EXPECT_EQ(dry.shaped, full.shaped); // the mix only fades the drawing

    settings.parameters.set(ParameterIDs::mix, 0.2f); // percent
    EXPECT_TRUE(computeDisplayModel(settings).showsShapedCurve);
}

TEST(DisplayModel, ClipLineOnlyAboveFourPercent)
{
    struct Case
    {
        float clip;
        bool line;
        float clipLevel;
    };
    // Clip in percent, as the parameter holds it.
    const Case cases[] = {{0.0f, false, 0.92f}, {4.0f, false, 0.92f / 1.16f}, {4.01f, true, 0.92f / 1.1604f},
                          {100.0f, true, 0.184f}};
    for (const auto& c : cases)
    {
        DisplaySettings settings;
        settings.parameters.set(ParameterIDs::clip, c.clip);
        const auto model = computeDisplayModel(settings);
        EXPECT_EQ(model.showsClipLine, c.line) << c.clip;
        EXPECT_NEAR(model.clipLevel, c.clipLevel, 1.0e-5f) << c.clip;
        EXPECT_GE(model.peak, model.clipLevel);
    }
}

TEST(DisplayModel, OutputGainScalesTheShapedCurveAfterTheClipper)
{
    DisplaySettings quiet, loud;
    quiet.parameters.set(ParameterIDs::output, 0.0f);
    loud.parameters.set(ParameterIDs::output, 6.0f);
    const auto a = computeDisplayModel(quiet);
    const auto b = computeDisplayModel(loud);
    const float gain = std::pow(10.0f, 0.3f);
    for (int k = 0; k < 221; k += 20)
    {
        EXPECT_NEAR(b.shaped[(size_t) k], a.shaped[(size_t) k] * gain, 1.0e-4f) << k;
        EXPECT_EQ(b.dry[(size_t) k], a.dry[(size_t) k]) << k;
    }
}

TEST(DisplayModel, KnobsMoveTheCurvesTheWayTheyMoveTheSound)
{
    DisplaySettings soft, hard;
    soft.parameters.set(ParameterIDs::attack, -12.0f).set(ParameterIDs::clip, 0.0f);
    hard.parameters.set(ParameterIDs::attack, 12.0f).set(ParameterIDs::clip, 0.0f);
    EXPECT_LT(computeDisplayModel(soft).shaped[0], computeDisplayModel(hard).shaped[0]);

    // A higher sustain gives the synthetic hit a longer tail.
    DisplaySettings shortTail, longTail;
    shortTail.parameters.set(ParameterIDs::sustain, -12.0f);
    longTail.parameters.set(ParameterIDs::sustain, 12.0f);
    EXPECT_LT(computeDisplayModel(shortTail).dry[110], computeDisplayModel(longTail).dry[110]);

    // The modes come from the shaper's own table: different timings, different curves.
    DisplaySettings tight, smooth;
    tight.parameters.set(ParameterIDs::mode, (float) choiceIndex(Mode::tight));
    smooth.parameters.set(ParameterIDs::mode, (float) choiceIndex(Mode::smooth));
    EXPECT_NE(computeDisplayModel(tight).shaped, computeDisplayModel(smooth).shaped);
    DisplaySettings beyond = smooth;
    beyond.parameters.set(ParameterIDs::mode, 7.0f); // counts as the last mode
    EXPECT_EQ(computeDisplayModel(beyond).shaped, computeDisplayModel(smooth).shaped);
}

TEST(DisplayModel, GlowFollowsPunchAndIsStrongestInPunchMode)
{
    struct Case
    {
        Mode mode;
        float punch, punchShow;
    };
    // Punch in percent, as the parameter holds it.
    const Case cases[] = {{Mode::punch, 0.0f, 0.0f},  {Mode::punch, 50.0f, 0.575f},
                          {Mode::punch, 100.0f, 1.0f}, {Mode::tight, 50.0f, 0.5f},
                          {Mode::smooth, 100.0f, 1.0f}};
    for (const auto& c : cases)
    {
        DisplaySettings settings;
        settings.parameters.set(ParameterIDs::mode, (float) choiceIndex(c.mode)).set(ParameterIDs::punch, c.punch);
        EXPECT_NEAR(computeDisplayModel(settings).punchShow, c.punchShow, 1.0e-6f)
            << choiceIndex(c.mode) << " " << c.punch;
    }
}

TEST(DisplayModel, FewerPointsSpreadOverTheSameFiveHundredMilliseconds)
{
    const auto full = computeDisplayModel(DisplaySettings{});
    const auto coarse = computeDisplayModel(DisplaySettings{}, 111);
    EXPECT_EQ(coarse.numPoints, 111);
    EXPECT_EQ(coarse.dry[0], full.dry[0]);
    // Point 55 of 111 (55 x 218 samples) lies near point 110 of 221 (110 x 109 samples).
    EXPECT_NEAR(coarse.dry[55], full.dry[110], 0.002f);

    EXPECT_EQ(computeDisplayModel(DisplaySettings{}, 1).numPoints, 2);
    EXPECT_EQ(computeDisplayModel(DisplaySettings{}, 1000).numPoints, 221);
}

TEST(PlotGeometry, MarginsAndZeroLine)
{
    const auto p = PlotGeometry::forDisplayArea({10.0f, 20.0f, 100.0f, 200.0f});
    EXPECT_FLOAT_EQ(p.plotX, 28.0f);
    EXPECT_FLOAT_EQ(p.plotY, 58.0f);
    EXPECT_FLOAT_EQ(p.plotW, 64.0f);
    EXPECT_FLOAT_EQ(p.plotH, 120.0f);
    EXPECT_FLOAT_EQ(p.baselineY, 58.0f + 120.0f * 0.83f);
    EXPECT_FLOAT_EQ(p.xFor(220, 221), p.plotRight);

    const auto model = computeDisplayModel(DisplaySettings{});
    const float scale = p.scaleFor(model);
    EXPECT_NEAR(p.yFor(model.peak, scale), p.baselineY - p.curveSpan / 1.12f, 1.0e-3f);
    EXPECT_EQ(p.yFor(-1.0f, scale), p.baselineY); // kept inside the plot
    EXPECT_EQ(p.yFor(100.0f, scale), p.plotY);
}

TEST(PlotGeometry, DisplaySmallerThanItsMarginsLeavesAnEmptyPlot)
{
    const auto p = PlotGeometry::forDisplayArea({0.0f, 0.0f, 30.0f, 70.0f});
    EXPECT_EQ(p.plotW, 0.0f);
    EXPECT_EQ(p.plotH, 0.0f);
    const auto model = computeDisplayModel(DisplaySettings{});
    EXPECT_EQ(p.yFor(model.peak, p.scaleFor(model)), p.baselineY); // every point on the zero line
}

namespace
{
// What the display draws with: decibels exactly, the output as a gain, fractions to float precision.
struct Shown
{
    float attackDb, sustainDb, outputGain, sensitivity, punch, clip, mix;
    Mode mode;
    Focus focus;
};

void expectShows(const DisplaySettings& s, const Shown& e)
{
    using namespace ParameterIDs;
    EXPECT_EQ(s.audioValue(attack), e.attackDb);
    EXPECT_EQ(s.audioValue(sustain), e.sustainDb);
    EXPECT_FLOAT_EQ(s.audioValue(output), e.outputGain);
    EXPECT_FLOAT_EQ(s.audioValue(sensitivity), e.sensitivity);
    EXPECT_FLOAT_EQ(s.audioValue(punch), e.punch);
    EXPECT_FLOAT_EQ(s.audioValue(clip), e.clip);
    EXPECT_FLOAT_EQ(s.audioValue(mix), e.mix);
    EXPECT_EQ(s.choice<Mode>(), e.mode);
    EXPECT_EQ(s.choice<Focus>(), e.focus);
}
} // namespace

TEST(DisplaySettings, EachParameterReadsAsTheAudioPathReadsIt)
{
    DisplaySettings s;
    s.parameters.set(ParameterIDs::attack, -7.5f)
        .set(ParameterIDs::sustain, 3.0f)
        .set(ParameterIDs::output, -6.0f)
        .set(ParameterIDs::sensitivity, 20.0f)
        .set(ParameterIDs::punch, 80.0f)
        .set(ParameterIDs::clip, 0.0f)
        .set(ParameterIDs::mix, 40.0f)
        .set(ParameterIDs::mode, 2.0f)
        .set(ParameterIDs::focus, 0.0f);

    expectShows(s, {-7.5f, 3.0f, 0.5011872f, 0.2f, 0.8f, 0.0f, 0.4f, Mode::smooth, Focus::low});

    // A new one holds the defaults: attack 5 dB, sustain -2.5 dB, sensitivity 60 %, punch 30 %,
    // clip 25 %, mix 100 %, output 0 dB, mode Punch, focus Full, power on.
    const DisplaySettings defaults;
    expectShows(defaults, {5.0f, -2.5f, 1.0f, 0.6f, 0.3f, 0.25f, 1.0f, Mode::punch, Focus::full});
    EXPECT_TRUE(defaults.powerOn);
    EXPECT_EQ(defaults.choice<Quality>(), Quality::standard);
    EXPECT_EQ(defaults.choice<StereoLink>(), StereoLink::off);
}
