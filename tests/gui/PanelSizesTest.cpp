// The editor at every size the shell opens or can be dragged to: every control visible and within
// reach, every text whole inside its box and clear of its neighbours, the panel in proportion.

#include "GuiTestSupport.h"

#include "editor/controls/SelectorLookAndFeel.h"
#include "editor/display/DisplayModel.h"
#include "editor/display/LivePlot.h"
#include "editor/display/PlotGeometry.h"
#include "editor/meters/MeterLayout.h"
#include "compat/JuceCompat.h"

#include <functional>
#include <vector>

using Access = MainPanelTestAccess;
using juce::Rectangle;

namespace
{
struct SizeCase
{
    int width, height;
    const char* what;
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.width << " x " << c.height << " (" << c.what << ")";
}

const SizeCase sizeCases[] = {
    {400, 248, "a display at most 400 wide: the smallest window"},
    {483, 300, "a wide, short display: below the resize limits"},
    {500, 311, "the smallest size on a common display"},
    {555, 345, "odd"},
    {604, 375, "an 800 x 500 display"},
    {700, 435, "odd"},
    {805, 500, "odd"},
    {937, 582, "odd"},
    {1256, 780, "a 1920 x 1040 display: the reference"},
    {1333, 828, "odd"},
    {1700, 1056, "the largest"},
};

juce::Font boldFont(float height)
{
    return compat::makeFont(height, juce::Font::bold);
}

float widthOf(const juce::String& text, const juce::Font& font)
{
    return font.getStringWidthFloat(text);
}

// The line a one-line text of this font takes when centred vertically in a box.
Rectangle<float> textLine(Rectangle<int> box, float fontHeight)
{
    return box.toFloat().withSizeKeepingCentre((float) box.getWidth(), fontHeight);
}

// Where a one-line text actually lies in its box, horizontally, for the given justification.
Rectangle<float> textExtent(Rectangle<int> box, const juce::String& text, const juce::Font& font,
                            juce::Justification justification)
{
    const float w = widthOf(text, font);
    auto line = textLine(box, font.getHeight());
    if (justification.testFlags(juce::Justification::left))
        return line.withWidth(w);
    if (justification.testFlags(juce::Justification::right))
        return line.withTrimmedLeft(line.getWidth() - w);
    return line.withSizeKeepingCentre(w, line.getHeight());
}

// The disc a knob draws in its bounds (the look insets it by 8 % of the width on each side).
Rectangle<float> knobDisc(Rectangle<int> knob)
{
    return knob.toFloat().reduced((float) knob.getWidth() * 0.08f);
}

// A few pixels of the text's box may be the font's own spacing above and below its glyphs; what
// must not happen is one text running into another or into a knob.
::testing::AssertionResult clear(Rectangle<float> a, Rectangle<float> b)
{
    const auto overlap = a.getIntersection(b);
    if (overlap.getWidth() <= 0.01f || overlap.getHeight() <= 0.01f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a.toString() << " overlaps " << b.toString();
}

::testing::AssertionResult fits(const juce::String& text, const juce::Font& font, Rectangle<int> box)
{
    const float w = widthOf(text, font);
    if (w <= (float) box.getWidth() && font.getHeight() <= (float) box.getHeight() + 0.01f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" at " << font.getHeight() << " (" << w
                                         << " wide) does not fit " << box.toString();
}

// What a knob's read-out can show: its range's ends, its default and the widest in between.
juce::StringArray readOutTexts(const ParameterSpec& spec)
{
    juce::StringArray texts;
    for (const float v : {spec.minimum, spec.maximum, spec.defaultValue, -10.0f, 88.8f})
        texts.add(spec.formatWithUnit(spec.clampPlain(v)));
    return texts;
}

class PanelSizes : public ::testing::TestWithParam<SizeCase>
{
protected:
    void SetUp() override
    {
        fixture.editor->setSize(GetParam().width, GetParam().height);
        ASSERT_GT(panel().getHeight(), 0);
    }

    MainPanel& panel() { return fixture.panel(); }
    const PanelLayout& layout() { return Access::layout(panel()); }

    guitest::EditorFixture fixture;
};
} // namespace

TEST_P(PanelSizes, EveryControlIsVisibleInsideThePanelAndTheTopmostAtItsCentre)
{
    // The controls are what takes clicks: the knobs, their read-outs, the selectors and the power
    // button, wherever they sit in the panel's tree.
    auto& p = panel();
    std::vector<juce::Component*> controls;
    std::function<void(juce::Component&)> collect = [&](juce::Component& parent) {
        for (auto* child : parent.getChildren())
        {
            bool clicksOnIt = false, clicksOnChildren = false;
            child->getInterceptsMouseClicks(clicksOnIt, clicksOnChildren);
            if (clicksOnIt)
                controls.push_back(child);
            else if (clicksOnChildren)
                collect(*child);
        }
    };
    collect(p);
    ASSERT_EQ(controls.size(), PanelLayout::numKnobs * 2 + 6 + 1);
    for (auto* control : controls)
    {
        const auto bounds = guitest::boundsIn(p, *control);
        SCOPED_TRACE(control->getName() + " " + bounds.toString());
        for (auto* c = control; c != &p; c = c->getParentComponent())
            EXPECT_TRUE(c->isVisible()) << c->getName();
        EXPECT_FALSE(bounds.isEmpty());
        EXPECT_TRUE(p.getLocalBounds().contains(bounds));
        // A click in its middle reaches it, not a neighbour lying over it.
        EXPECT_EQ(p.getComponentAt(bounds.getCentre()), control);
    }
}

TEST_P(PanelSizes, SelectorsAreAtLeastTwelvePixelsTallApartAndTheirCaptionsFit)
{
    const auto& l = layout();
    for (size_t i = 0; i < panel::selectors.size(); ++i)
    {
        auto& button = Access::selector(panel(), (int) i);
        const auto bounds = guitest::boundsIn(panel(), button);
        SCOPED_TRACE(button.getButtonText());
        EXPECT_GE(button.getHeight(), 12);
        EXPECT_TRUE(l.rightColumnArea.contains(bounds.toFloat()));
        for (size_t j = i + 1; j < panel::selectors.size(); ++j)
            EXPECT_FALSE(bounds.intersects(guitest::boundsIn(panel(), Access::selector(panel(), (int) j))));

        // The selected look is bold, the widest.
        EXPECT_TRUE(fits(button.getButtonText(), boldFont(SelectorLookAndFeel::captionFontHeight(button.getHeight(), l.scale)),
                         SelectorLookAndFeel::captionArea(button.getWidth(), button.getHeight(), l.scale)));
    }

    for (size_t group = 0; group < panel::selectorGroups.size(); ++group)
    {
        const auto title = l.selectorTitleAreas[group];
        EXPECT_TRUE(fits(panel::selectorGroups[group].caption, boldFont(l.groupTitleFontHeight), title.toNearestInt()));
        EXPECT_LE(title.getBottom(), (float) l.selectorBounds(group, 0).getY());
    }
}

TEST_P(PanelSizes, ReadOutsShowTheirWholeTextClearOfEverythingElse)
{
    const auto& l = layout();
    const auto font = boldFont(l.readOutFontHeight);
    for (size_t i = 0; i < (size_t) PanelLayout::numKnobs; ++i)
    {
        auto& label = Access::valueLabel(panel(), (int) i);
        SCOPED_TRACE(panel::knobs[i].parameterID);
        EXPECT_EQ(label.getFont().getHeight(), l.readOutFontHeight);
        const auto bounds = guitest::boundsIn(panel(), label);
        const auto textArea = label.getBorderSize().subtractedFrom(bounds);
        for (const auto& text : readOutTexts(panel::knobSpec(i)))
            EXPECT_TRUE(fits(text, font, textArea));

        const auto line = textLine(textArea, l.readOutFontHeight);
        for (size_t j = 0; j < (size_t) PanelLayout::numKnobs; ++j)
        {
            EXPECT_TRUE(clear(line, textLine(l.captionBoxes[j], l.captionFontHeight))) << "caption " << j;
            if (j != i)
            {
                EXPECT_FALSE(bounds.intersects(l.valueLabelBounds[j])) << "read-out " << j;
                EXPECT_TRUE(clear(line, knobDisc(l.knobBounds[j]))) << "knob " << j;
            }
        }
    }
}

TEST_P(PanelSizes, KnobCaptionsFitTheirCellsAboveTheirKnobs)
{
    const auto& l = layout();
    const auto font = boldFont(l.captionFontHeight);
    for (size_t i = 0; i < (size_t) PanelLayout::numKnobs; ++i)
    {
        SCOPED_TRACE(panel::knobs[i].caption);
        EXPECT_TRUE(fits(panel::knobs[i].caption, font, l.captionBoxes[i]));
        const auto line = textLine(l.captionBoxes[i], l.captionFontHeight);
        EXPECT_TRUE(l.knobCells[i].contains(textExtent(l.captionBoxes[i], panel::knobs[i].caption, font,
                                                       juce::Justification::centred).withHeight(0.0f)));
        for (size_t j = 0; j < (size_t) PanelLayout::numKnobs; ++j)
            EXPECT_TRUE(clear(line, knobDisc(l.knobBounds[j]))) << "knob " << j;
    }
}

TEST_P(PanelSizes, DisplayTextsFitTheirBoxesAndStayApart)
{
    const auto& l = layout();
    const auto plot = PlotGeometry::forDisplayArea(l.displayArea, l.scale);
    EXPECT_GT(plot.plotW, 0.0f);
    EXPECT_GT(plot.curveSpan, 0.0f);

    const auto axisFont = compat::makeFont(plot.axisFontHeight());
    const auto labels = plot.timeAxisLabels();
    for (size_t i = 0; i < labels.size(); ++i)
    {
        SCOPED_TRACE(labels[i].text);
        EXPECT_TRUE(fits(labels[i].text, axisFont, labels[i].box));
        const auto extent = textExtent(labels[i].box, labels[i].text, axisFont, labels[i].justification);
        EXPECT_TRUE(l.displayArea.contains(extent));
        if (i + 1 < labels.size())
        {
            EXPECT_TRUE(clear(extent, textExtent(labels[i + 1].box, labels[i + 1].text, axisFont,
                                                 labels[i + 1].justification)));
        }
    }

    // The widest read-out, just above the axis.
    const auto readOut = plot.readOutBox();
    EXPECT_TRUE(fits("HQ  LINK  MIX 100%  CLIP 100%", axisFont, readOut));
    EXPECT_TRUE(clear(textLine(readOut, axisFont.getHeight()), textLine(labels[4].box, axisFont.getHeight())));

    const auto captionFont = boldFont(plot.captionFontHeight());
    EXPECT_TRUE(fits("CLIP ONSET", captionFont, plot.clipCaptionBox(plot.baselineY - plot.curveSpan * 0.5f)));
    const auto legend = plot.legendItems();
    const char* legendCaptions[] = {"SHAPED", "DRY"};
    for (size_t i = 0; i < legend.size(); ++i)
    {
        const auto item = legend[i].withTrimmedLeft(plot.legendSwatchWidth(legend[i])).toNearestInt();
        EXPECT_TRUE(fits(legendCaptions[i], captionFont, item)) << legendCaptions[i];
        EXPECT_TRUE(l.displayArea.contains(legend[i]));
    }

    // The live view: a third legend item, and the widest read-out beside it in the same row.
    const auto live = LivePlot::forPlot(plot);
    const auto transient = live.legendItems()[2];
    EXPECT_TRUE(fits("TRANSIENT", captionFont, transient.withTrimmedLeft(plot.legendSwatchWidth(transient)).toNearestInt()));
    const auto liveReadOut = live.readOutBox();
    EXPECT_TRUE(fits("HQ  LINK  MIX 100%  CLIP 100%", axisFont, liveReadOut));
    EXPECT_TRUE(l.displayArea.contains(liveReadOut.toFloat()));
    EXPECT_TRUE(clear(liveReadOut.toFloat(), transient));
}

TEST_P(PanelSizes, MetersKeepTheirCaptionsAndSegments)
{
    const auto& l = layout();
    for (const auto& [area, caption] : {std::pair{l.inputMeterArea, "IN"}, {l.outputMeterArea, "OUT"}})
    {
        SCOPED_TRACE(caption);
        const auto meter = layoutLevelMeter(area, l.scale);
        EXPECT_TRUE(l.rightColumnArea.contains(area));
        EXPECT_TRUE(fits(caption, boldFont(meter.captionFontHeight), meter.captionArea.toNearestInt()));
        EXPECT_GE(meter.count, 4);
        EXPECT_GT(meter.segmentHeight, 1.0f);
        EXPECT_TRUE(meter.inner.expanded(0.01f).contains(meter.segment(meter.count - 1)));
    }
}

TEST_P(PanelSizes, ThePanelKeepsItsProportions)
{
    // Every knob sits where it sits on the reference panel, in proportion to the panel's size.
    const auto reference = computePanelLayout(PanelLayout::referenceWidth, PanelLayout::referenceHeight);
    const auto& l = layout();
    const float w = (float) panel().getWidth(), h = (float) panel().getHeight();
    for (size_t i = 0; i < (size_t) PanelLayout::numKnobs; ++i)
    {
        SCOPED_TRACE(panel::knobs[i].parameterID);
        const auto here = l.knobBounds[i].toFloat(), there = reference.knobBounds[i].toFloat();
        EXPECT_NEAR(here.getCentreX() / w, there.getCentreX() / PanelLayout::referenceWidth, 0.005f);
        EXPECT_NEAR(here.getCentreY() / h, there.getCentreY() / PanelLayout::referenceHeight, 0.005f);
        EXPECT_NEAR(here.getWidth() / w, there.getWidth() / PanelLayout::referenceWidth, 0.005f);
    }
}

INSTANTIATE_TEST_SUITE_P(EditorSizes, PanelSizes, ::testing::ValuesIn(sizeCases),
                         [](const ::testing::TestParamInfo<SizeCase>& size) {
                             return std::to_string(size.param.width) + "x" + std::to_string(size.param.height);
                         });
