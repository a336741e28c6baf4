#include "GuiTestSupport.h"

#include "editor/display/DisplayModel.h"
#include "editor/display/PlotGeometry.h"
#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"

#include <functional>

using Access = MainPanelTestAccess;
using guitest::colourNear;
using juce::Colour;

namespace
{
const Colour accent = palette::accent;

class PanelRendering : public ::testing::Test
{
protected:
    void SetUp() override { panel.setSize(1256, 710); }

    juce::Image renderNow()
    {
        Access::timerTick(panel);
        return guitest::render(panel);
    }

    void setPower(bool on) { harness::setPlain(processor, "power", on ? 1.0f : 0.0f); }

    const PanelLayout& layout() { return Access::layout(panel); }

    // The plot's inside, clear of its rounded corners.
    juce::Rectangle<int> plotInterior()
    {
        return PlotGeometry::forDisplayArea(layout().displayArea, layout().scale).plotArea().reduced(14.0f).toNearestInt();
    }

    template <typename Predicate>
    static int countPixels(const juce::Image& image, juce::Rectangle<int> area, Predicate matches)
    {
        int n = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                n += matches(image.getPixelAt(x, y)) ? 1 : 0;
        return n;
    }

    // The shaped curve's violet-blue and the clip line's orange (not the gain trace's pink).
    static bool isShapedBlue(Colour c) { return c.getBlue() > c.getRed() + 60; }
    static bool isClipOrange(Colour c)
    {
        return c.getRed() > c.getBlue() + 40 && c.getRed() > 60 && c.getGreen() > c.getBlue();
    }

    // Centre of the top edge of a control: where its 1-pixel outline is drawn.
    juce::Point<int> topEdgeMiddle(juce::Component& c)
    {
        const auto bounds = guitest::boundsIn(panel, c);
        return {bounds.getCentreX(), bounds.getY()};
    }

    TarvoltAudioProcessor processor;
    MainPanel panel{processor.getState(), processor.getLiveFeed(), processor.getMeters()};
};
} // namespace

TEST_F(PanelRendering, BackgroundGradientEndsAndCard)
{
    const auto image = renderNow();
    EXPECT_TRUE(colourNear(image.getPixelAt(0, 0), palette::panel::backgroundTop, 1));
    EXPECT_TRUE(colourNear(image.getPixelAt(1255, 709), palette::panel::backgroundBottom, 1));

    // The empty strip at the bottom of the card, under the left column.
    const auto& l = layout();
    const int y = juce::roundToInt((l.knobRowArea.getBottom() + 710.0f * (1.0f - 0.035f)) * 0.5f);
    EXPECT_EQ(image.getPixelAt(juce::roundToInt(l.leftColumnArea.getCentreX()), y), palette::panel::card);
}

TEST_F(PanelRendering, LitSelectorHasTheAccentOutline)
{
    const auto image = renderNow();
    const auto full = topEdgeMiddle(Access::selector(panel, guitest::selectorIndex("FULL")));
    const auto high = topEdgeMiddle(Access::selector(panel, guitest::selectorIndex("HIGH")));
    EXPECT_TRUE(colourNear(image.getPixelAt(full.x, full.y), accent));
    EXPECT_FALSE(colourNear(image.getPixelAt(high.x, high.y), accent, 40));
}

TEST_F(PanelRendering, KnobValueArcIsAccentWithPowerOnAndGreyWithPowerOff)
{
    // The attack knob (67, 143, 110, 110) at 5 dB: its value arc passes 12 o'clock at y = 153.65.
    const juce::Point<int> arcTop{121, 153};
    EXPECT_TRUE(colourNear(renderNow().getPixelAt(arcTop.x, arcTop.y), accent));
    setPower(false);
    EXPECT_TRUE(colourNear(renderNow().getPixelAt(arcTop.x, arcTop.y), palette::panel::knobArcOff));
}

TEST_F(PanelRendering, PowerSymbolIsPurpleWhenOnAndGreyWhenOff)
{
    // The symbol's stem runs down the button's centre line (x = 1099) from y 37.5 to 47.1.
    EXPECT_TRUE(colourNear(renderNow().getPixelAt(1099, 42), palette::panel::powerOn));
    setPower(false);
    EXPECT_TRUE(colourNear(renderNow().getPixelAt(1099, 42), palette::panel::powerOff));
}

TEST_F(PanelRendering, PowerOffDarkensTheDisplayMetersAndSelectors)
{
    processor.getMeters().setInputLevel(0, 1.0f);
    processor.getMeters().setInputLevel(1, 1.0f);
    auto image = renderNow();
    const auto meter = layoutLevelMeter(layout().inputMeterArea, layout().scale);
    const auto segmentCentre = meter.segment(0).getCentre().roundToInt();
    EXPECT_TRUE(colourNear(image.getPixelAt(segmentCentre.x, segmentCentre.y), palette::panel::meterSegment));
    EXPECT_GT(countPixels(image, plotInterior(), isShapedBlue), 1000);

    setPower(false);
    image = renderNow();

    // Only the dark plot remains: no grid, curves or clip line.
    const auto plot = plotInterior();
    EXPECT_EQ(countPixels(image, plot, [](Colour c) { return c != palette::panel::plot; }), 0);

    // Every segment dim grey, whatever the level.
    const auto dimGrey = palette::panel::meterTrough.overlaidWith(palette::panel::unpowered.withAlpha((juce::uint8) 0x33));
    for (int i = 0; i < meter.count; ++i)
    {
        const auto p = meter.segment(i).getCentre().roundToInt();
        EXPECT_TRUE(colourNear(image.getPixelAt(p.x, p.y), dimGrey)) << "segment " << i;
    }

    // The selected selector loses its accent outline.
    const auto full = topEdgeMiddle(Access::selector(panel, guitest::selectorIndex("FULL")));
    EXPECT_FALSE(colourNear(image.getPixelAt(full.x, full.y), accent, 40));
}

TEST_F(PanelRendering, DryMixDrawsNoShapedCurve)
{
    harness::setPlain(processor, "mix", 0.0f);
    EXPECT_EQ(countPixels(renderNow(), plotInterior(), isShapedBlue), 0);
}

TEST_F(PanelRendering, ClipLineOnlyAboveFourPercent)
{
    EXPECT_GT(countPixels(renderNow(), plotInterior(), isClipOrange), 100);
    harness::setPlain(processor, "clip", 4.0f);
    EXPECT_EQ(countPixels(renderNow(), plotInterior(), isClipOrange), 0);
}

TEST_F(PanelRendering, MeterLightsEachChannelsSegmentsUpToItsLevel)
{
    // Levels 0.2 and 0.8: two and seven of the eight segments light (thresholds 0.045 ... 0.92).
    processor.getMeters().setInputLevel(0, 0.2f);
    processor.getMeters().setInputLevel(1, 0.8f);
    const auto image = renderNow();
    const auto meter = layoutLevelMeter(layout().inputMeterArea, layout().scale);
    ASSERT_EQ(meter.count, 8);
    ASSERT_EQ(meter.channels, 2);
    for (const auto& [channel, litCount] : {std::pair{0, 2}, {1, 7}})
        for (int i = 0; i < meter.count; ++i)
        {
            const auto p = meter.segment(i, channel).getCentre().roundToInt();
            const bool lit = image.getPixelAt(p.x, p.y) == palette::panel::meterSegment;
            EXPECT_EQ(lit, i < litCount) << "channel " << channel << ", segment " << i;
        }
}

TEST(PanelCaching, CachedPicturesLookLikeAFreshPaintAsTheStateChanges)
{
    // One panel keeps its pictures from state to state; the other paints everything afresh.
    TarvoltAudioProcessor processor;
    MainPanel cached(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    MainPanel fresh(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    Access::setCaching(fresh, false);

    struct Step
    {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"defaults", [] {}},
        {"meters",
         [&]
         {
             processor.getMeters().setInputLevel(0, 0.9f);
             processor.getMeters().setOutputLevel(1, 0.9f);
         }},
        {"power off", [&] { harness::setPlain(processor, "power", 0.0f); }},
        {"power back on", [&] { harness::setPlain(processor, "power", 1.0f); }},
        {"knobs and selectors", [&] {
             harness::setPlain(processor, "mode", 0.0f);
             harness::setPlain(processor, "mix", 40.0f);
             harness::setPlain(processor, "clip", 0.0f);
             harness::setPlain(processor, "attack", -7.0f);
         }},
        {"smaller", [&] {
             cached.setSize(500, 283);
             fresh.setSize(500, 283);
         }},
        {"power off when small", [&] { harness::setPlain(processor, "power", 0.0f); }},
    };

    cached.setSize(1256, 710);
    fresh.setSize(1256, 710);
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.change();
        Access::timerTick(cached);
        Access::timerTick(fresh);
        const auto a = guitest::render(cached);
        const auto b = guitest::render(fresh);
        int differing = 0, largest = 0, beyondRounding = 0;
        juce::Rectangle<int> where;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
            {
                const auto p = a.getPixelAt(x, y), q = b.getPixelAt(x, y);
                const int d = std::max({std::abs(p.getRed() - q.getRed()), std::abs(p.getGreen() - q.getGreen()),
                                        std::abs(p.getBlue() - q.getBlue()), std::abs(p.getAlpha() - q.getAlpha())});
                if (d > 0)
                {
                    ++differing;
                    where = where.isEmpty() ? juce::Rectangle<int>(x, y, 1, 1) : where.getUnion({x, y, 1, 1});
                }
                largest = std::max(largest, d);
                beyondRounding += d > 2 ? 1 : 0;
            }
        // Knobs and buttons keep pictures of themselves with transparent corners; compositing
        // those rounds the anti-aliased edge pixels slightly differently, by at most 2 of 255. On
        // a small panel the buttons' corners are tight enough that a few corner pixels, fully
        // covered by the outline on one side and partly on the other, differ by a little more.
        EXPECT_LE(beyondRounding, 12) << differing << " pixels differ in " << where.toString();
        EXPECT_LE(largest, 16) << differing << " pixels differ in " << where.toString();
    }
}

TEST(EditorRendering, SmallestAndLargestSizesRenderWithoutAssertions)
{
    for (const auto size : {juce::Point<int>(500, 311), juce::Point<int>(1700, 1056)})
    {
        SCOPED_TRACE(size.toString());
        guitest::EditorFixture fixture;
        fixture.processor.getMeters().setOutputLevel(0, 0.7f);
        fixture.processor.getMeters().setOutputLevel(1, 0.7f);
        fixture.editor->setSize(size.x, size.y);

        const int barHeight = juce::roundToInt((float) size.y * 0.09f);
        EXPECT_EQ(fixture.panel().getBounds(), juce::Rectangle<int>(0, barHeight, size.x, size.y - barHeight));

        // Any framework assertion while painting fails the test through the test main.
        for (const bool on : {true, false})
        {
            harness::setPlain(fixture.processor, "power", on ? 1.0f : 0.0f);
            MainPanelTestAccess::timerTick(fixture.panel());
            const auto image = guitest::render(*fixture.editor);
            EXPECT_TRUE(colourNear(image.getPixelAt(0, barHeight), palette::panel::backgroundTop, 1));
        }
    }
}

namespace
{
// The point of a knob's value arc at an angle (radians clockwise from 12 o'clock), in the panel.
juce::Point<int> arcPoint(juce::Rectangle<int> knob, float angle)
{
    const float d = (float) knob.getWidth() * (1.0f - 2.0f * 0.08f);
    const float r = d * 0.48f;
    const auto c = knob.toFloat().getCentre();
    return juce::Point<float>(c.x + r * std::sin(angle), c.y - r * std::cos(angle)).roundToInt();
}
} // namespace

// A control whose range spans 0 draws its arc from 0: a cut is a short arc left of the top, not
// a long one from the minimum like a boost. Which knobs those are follows from their ranges.
TEST_F(PanelRendering, PlusMinusKnobsDrawTheirArcFromZero)
{
    constexpr float pi = juce::MathConstants<float>::pi;
    const float start = 1.2f * pi, sweep = 1.6f * pi;
    for (size_t i = 0; i < panel::knobs.size(); ++i)
    {
        const auto& spec = panel::knobSpec(i);
        SCOPED_TRACE(spec.id);
        const bool plusMinus = spec.minimum < 0.0f && spec.maximum > 0.0f;
        EXPECT_EQ(plusMinus, juce::String(spec.id) == "attack" || juce::String(spec.id) == "sustain" ||
                                 juce::String(spec.id) == "output");

        // A little below the middle of the range: lit between the value and the top for a ± control,
        // from the start to the value otherwise.
        const float value = spec.minimum + (spec.maximum - spec.minimum) * 0.4f;
        harness::setPlain(processor, spec.id, value);
        const auto image = renderNow();
        const auto knob = layout().knobBounds[i];
        const auto lit = [&](float share) {
            const auto p = arcPoint(knob, start + sweep * share);
            const auto c = image.getPixelAt(p.x, p.y);
            return c.getBlue() > c.getGreen() + 120; // the accent's violet, not the grey track
        };
        EXPECT_EQ(lit(0.05f), !plusMinus);
        EXPECT_EQ(lit(0.2f), !plusMinus);
        EXPECT_TRUE(lit(0.45f) == plusMinus);
        EXPECT_FALSE(lit(0.6f));
    }
}
