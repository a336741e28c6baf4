// The editor at every size the shell opens or can be dragged to: every control visible and within
// reach, every text whole inside its box and clear of its neighbours, the panel in proportion.

#include "GuiTestSupport.h"

#include "editor/controls/SelectorLookAndFeel.h"
#include "editor/display/DisplayModel.h"
#include "state/DisplayMode.h"
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
    // The controls are what takes clicks: the knobs, their read-outs, the selectors, the power
    // button and the two meters (a click clears the peak), wherever they sit in the panel's tree.
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
    ASSERT_EQ(controls.size(), PanelLayout::numKnobs * 2 + 6 + 1 + 2);
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
        EXPECT_TRUE(fits(l.captions[i], font, l.captionBoxes[i]));
        const auto line = textLine(l.captionBoxes[i], l.captionFontHeight);
        EXPECT_TRUE(l.knobCells[i].contains(textExtent(l.captionBoxes[i], l.captions[i], font,
                                                       juce::Justification::centred).withHeight(0.0f)));
        for (size_t j = 0; j < (size_t) PanelLayout::numKnobs; ++j)
            EXPECT_TRUE(clear(line, knobDisc(l.knobBounds[j]))) << "knob " << j;
    }
}

namespace
{
// A text the panel draws: what it says (the widest it can say), its box, font and placing.
struct DrawnText
{
    juce::String what, text;
    Rectangle<int> box;
    float fontHeight;
    bool bold;
    juce::Justification justification;

    juce::Font font() const { return compat::makeFont(fontHeight, bold ? juce::Font::bold : juce::Font::plain); }
    // Where its line lies: the font's height, at the top of the box for a text placed at the top,
    // else centred in it; as wide as the text.
    Rectangle<float> extent() const
    {
        auto line = textExtent(box, text, font(), justification);
        if (justification.testFlags(juce::Justification::top))
            line.setY((float) box.getY());
        return line;
    }
};

void PrintTo(const DrawnText& t, std::ostream* os)
{
    *os << t.what << " \"" << t.text << "\" at " << t.fontHeight << " in " << t.box.toString();
}

// Every text of the panel with the display in one of its views, each at its widest.
std::vector<DrawnText> panelTexts(MainPanel& panel, DisplayMode view)
{
    const auto& l = Access::layout(panel);
    using J = juce::Justification;
    std::vector<DrawnText> texts;
    const auto add = [&](juce::String what, const juce::String& text, Rectangle<int> box, float height, bool bold,
                         J justification) { texts.push_back({std::move(what), text, box, height, bold, justification}); };

    add("title", "TARVOLT", l.titleBox, l.titleFontHeight, true, J::centredTop);
    add("subtitle", "TRANSIENT SHAPER", l.subtitleBox, l.subtitleFontHeight, false, J::centredTop);
    for (size_t i = 0; i < (size_t) PanelLayout::numKnobs; ++i)
    {
        add("knob caption", l.captions[i], l.captionBoxes[i], l.captionFontHeight, true, J::centred);
        auto& label = Access::valueLabel(panel, (int) i);
        juce::String widest;
        for (const auto& text : readOutTexts(panel::knobSpec(i)))
            if (text.length() > widest.length())
                widest = text;
        add("read-out", widest, label.getBorderSize().subtractedFrom(guitest::boundsIn(panel, label)),
            label.getFont().getHeight(), true, J::centred);
    }
    for (size_t g = 0; g < panel::selectorGroups.size(); ++g)
        add("group caption", panel::selectorGroups[g].caption, l.selectorTitleAreas[g].toNearestInt(),
            l.groupTitleFontHeight, true, J::centred);
    for (size_t i = 0; i < panel::selectors.size(); ++i)
    {
        auto& button = Access::selector(panel, (int) i);
        const auto bounds = guitest::boundsIn(panel, button);
        add("selector", button.getButtonText(),
            SelectorLookAndFeel::captionArea(bounds.getWidth(), bounds.getHeight(), l.scale) + bounds.getPosition(),
            SelectorLookAndFeel::captionFontHeight(bounds.getHeight(), l.scale), true, J::centred);
    }
    for (const auto& [area, caption] : {std::pair{l.inputMeterArea, "IN"}, {l.outputMeterArea, "OUT"}})
    {
        const auto meter = layoutLevelMeter(area, l.scale);
        add("meter caption", caption, meter.captionArea.toNearestInt(), meter.captionFontHeight, true, J::centred);
        // The peak box says one of these, the widest of its numbers or OVER.
        if (!meter.peakBox.isEmpty())
        {
            const auto font = compat::makeFont(meter.textFontHeight);
            const char* widest = widthOf("-60.0", font) >= widthOf("OVER", font) ? "-60.0" : "OVER";
            add("meter peak", widest, meter.peakBox, meter.textFontHeight, false, J::centred);
        }
        for (const auto& label : meter.scaleLabels)
            if (label.text != nullptr)
                add("meter scale", label.text, label.box, meter.textFontHeight, false, J::centredRight);
    }

    const bool live = view == DisplayMode::Live;
    const auto livePlot = LivePlot::forDisplayArea(l.displayArea, l.scale);
    const auto plot = live ? livePlot.plot : PlotGeometry::forDisplayArea(l.displayArea, l.scale);
    for (int i = 0; i < plot.numLegendItems; ++i)
    {
        const auto item = plot.legendItems[(size_t) i];
        add("legend", PlotGeometry::legendCaptions[(size_t) i],
            item.withTrimmedLeft(plot.legendSwatchWidth(item)).toNearestInt(), plot.captionFontHeight(), true,
            J::centredLeft);
    }
    if (!plot.readOutBox.isEmpty())
        add("read-out line", PlotGeometry::widestReadOut, plot.readOutBox, plot.axisFontHeight(), false, J::centredRight);
    for (const auto& label : live ? livePlot.timeAxisLabels() : plot.timeAxisLabels())
        if (label.text != nullptr)
            add("time axis", label.text, label.box, plot.axisFontHeight(), false, label.justification);
    for (const auto& label : plot.gainLabels())
        add("gain axis", label.text, label.box, plot.axisFontHeight(), false, label.justification);
    if (live)
        for (const auto& label : livePlot.levelLabels())
            if (label.text != nullptr)
                add("level axis", label.text, label.box, plot.axisFontHeight(), false, label.justification);
    return texts;
}
} // namespace

// Every text at least the least text height, whole inside its box and the panel, and clear of
// every other text, in both views of the display.
TEST_P(PanelSizes, EveryTextIsReadableAndApart)
{
    for (const auto view : {DisplayMode::Model, DisplayMode::Live})
    {
        SCOPED_TRACE(displayModeName(view));
        const auto texts = panelTexts(panel(), view);
        for (size_t i = 0; i < texts.size(); ++i)
        {
            const auto& t = texts[i];
            SCOPED_TRACE(::testing::PrintToString(t));
            EXPECT_GE(t.fontHeight, 9.0f);
            EXPECT_TRUE(fits(t.text, t.font(), t.box));
            EXPECT_TRUE(panel().getLocalBounds().toFloat().contains(t.extent()));
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_TRUE(clear(t.extent(), texts[j].extent())) << ::testing::PrintToString(texts[j]);
        }
    }
}

// The clip line's caption stays inside the curves' area wherever the line is, and fits.
TEST_P(PanelSizes, ClipOnsetCaptionStaysInsideThePlot)
{
    const auto& l = layout();
    for (const auto& plot : {PlotGeometry::forDisplayArea(l.displayArea, l.scale),
                             LivePlot::forDisplayArea(l.displayArea, l.scale).plot})
        for (const float y : {plot.plotY, plot.baselineY - plot.curveSpan * 0.5f, plot.baselineY})
        {
            const auto box = plot.clipCaptionBox(y);
            EXPECT_TRUE(fits("CLIP ONSET", boldFont(plot.captionFontHeight()), box));
            EXPECT_TRUE(plot.plotArea().expanded(1.0f).contains(box.toFloat())) << y;
        }
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
        // The smallest window's meters are short: two segments, four from 483 x 300 up.
        EXPECT_GE(meter.count, l.scale < 0.35f ? 2 : 4);
        EXPECT_GT(meter.segmentHeight, 1.0f);
        for (int c = 0; c < meter.channels; ++c)
        {
            EXPECT_GE(meter.column(c).getWidth(), 5.0f);
            EXPECT_TRUE(meter.inner.expanded(0.01f).contains(meter.segment(meter.count - 1, c)));
            EXPECT_TRUE(meter.inner.expanded(0.01f).contains(meter.segment(0, c)));
        }
        // Both channels, the scale and the peak from the smallest common display's size up.
        if (l.scale >= 0.39f)
        {
            EXPECT_EQ(meter.channels, 2);
            EXPECT_FALSE(meter.peakBox.isEmpty());
        }
        if (l.scale >= 0.6f)
            EXPECT_NE(meter.scaleLabels[0].text, nullptr);
        if (!meter.peakBox.isEmpty())
            EXPECT_TRUE(area.contains(meter.peakBox.toFloat()) && !meter.peakBox.toFloat().intersects(meter.bar));
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
        // Where the texts stop shrinking with the panel (TextSize.h), the knobs give them room.
        if (l.readOutFontHeight > 18.0f * l.scale)
        {
            EXPECT_LE(here.getWidth() / w, there.getWidth() / PanelLayout::referenceWidth + 0.005f);
            EXPECT_GE(here.getWidth() / w, 0.7f * there.getWidth() / PanelLayout::referenceWidth);
        }
        else
            EXPECT_NEAR(here.getWidth() / w, there.getWidth() / PanelLayout::referenceWidth, 0.005f);
    }
}

INSTANTIATE_TEST_SUITE_P(EditorSizes, PanelSizes, ::testing::ValuesIn(sizeCases),
                         [](const ::testing::TestParamInfo<SizeCase>& size) {
                             return std::to_string(size.param.width) + "x" + std::to_string(size.param.height);
                         });
