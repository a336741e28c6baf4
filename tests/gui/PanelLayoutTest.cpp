#include "GuiTestSupport.h"

using juce::Rectangle;
using guitest::knobIndex;

namespace
{
// The editor's default panel: 1256 x 780 on a 1920 x 1040 display, less the 70-pixel menu bar.
constexpr int panelWidth = 1256, panelHeight = 710;

void expectNoNegativeSize(Rectangle<float> r, const char* what)
{
    EXPECT_GE(r.getWidth(), 0.0f) << what;
    EXPECT_GE(r.getHeight(), 0.0f) << what;
}

void expectNoNegativeSize(Rectangle<int> r, const char* what)
{
    EXPECT_GE(r.getWidth(), 0) << what << " " << r.toString();
    EXPECT_GE(r.getHeight(), 0) << what << " " << r.toString();
}
} // namespace

TEST(PanelLayout, WorkedExampleAtTheDefaultSize)
{
    const auto l = computePanelLayout((float) panelWidth, (float) panelHeight);

    EXPECT_EQ(l.powerButtonBounds, Rectangle<int>(1074, 25, 50, 50));
    EXPECT_EQ(l.knobBounds[(size_t) knobIndex("attack")], Rectangle<int>(67, 143, 110, 110));
    EXPECT_EQ(l.valueLabelBounds[(size_t) knobIndex("attack")], Rectangle<int>(58, 243, 128, 24));
    EXPECT_EQ(l.knobBounds[(size_t) knobIndex("sustain")], Rectangle<int>(68, 312, 108, 108));
    EXPECT_EQ(l.knobBounds[(size_t) knobIndex("punch")], Rectangle<int>(301, 513, 97, 97));
    // Focus reads HIGH, FULL, LOW from the top.
    EXPECT_EQ(l.selectorBounds(0, 0), Rectangle<int>(1004, 148, 186, 25));
    EXPECT_EQ(l.selectorBounds(0, 1), Rectangle<int>(1004, 181, 186, 25));
    EXPECT_EQ(l.selectorBounds(0, 2), Rectangle<int>(1004, 213, 186, 25));
}

TEST(PanelLayout, PanelPlacesItsControlsWhereTheLayoutSays)
{
    TarvoltAudioProcessor processor;
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(panelWidth, panelHeight);
    using Access = MainPanelTestAccess;

    EXPECT_EQ(Access::powerButton(panel).getBounds(), Rectangle<int>(1074, 25, 50, 50));
    EXPECT_EQ(guitest::boundsIn(panel, Access::knob(panel, knobIndex("attack"))), Rectangle<int>(67, 143, 110, 110));
    EXPECT_EQ(guitest::boundsIn(panel, Access::valueLabel(panel, knobIndex("attack"))), Rectangle<int>(58, 243, 128, 24));
    EXPECT_EQ(guitest::boundsIn(panel, Access::knob(panel, knobIndex("sustain"))), Rectangle<int>(68, 312, 108, 108));
    EXPECT_EQ(guitest::boundsIn(panel, Access::knob(panel, knobIndex("punch"))), Rectangle<int>(301, 513, 97, 97));
    EXPECT_EQ(guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("HIGH"))), Rectangle<int>(1004, 148, 186, 25));
    EXPECT_EQ(guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("FULL"))), Rectangle<int>(1004, 181, 186, 25));
    EXPECT_EQ(guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("LOW"))), Rectangle<int>(1004, 213, 186, 25));

    // The mode group reads TIGHT, PUNCH, SMOOTH from the top, below the focus group.
    const auto tight = guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("TIGHT")));
    const auto punch = guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("PUNCH")));
    const auto smooth = guitest::boundsIn(panel, Access::selector(panel, guitest::selectorIndex("SMOOTH")));
    EXPECT_GT(tight.getY(), 213);
    EXPECT_LT(tight.getY(), punch.getY());
    EXPECT_LT(punch.getY(), smooth.getY());

    // Every read-out sits under its knob, 16 % wider and centred, its 18-pixel text (3 pixels
    // under the box's top) 2 pixels under the knob's disc (which leaves 8 % of the knob free).
    for (int i = 0; i < PanelLayout::numKnobs; ++i)
    {
        const auto knob = guitest::boundsIn(panel, Access::knob(panel, i));
        auto& label = Access::valueLabel(panel, i);
        const auto labelBounds = guitest::boundsIn(panel, label);
        EXPECT_NEAR((float) labelBounds.getY() + 3.0f, (float) knob.getY() + (float) knob.getHeight() * 0.92f + 2.0f, 0.5f)
            << panel::knobs[(size_t) i].parameterID;
        EXPECT_NEAR(labelBounds.getCentreX(), knob.getCentreX(), 1) << panel::knobs[(size_t) i].parameterID;
        EXPECT_EQ(label.getFont().getHeight(), 18.0f);
        EXPECT_TRUE(label.getFont().isBold());
    }
}

TEST(PanelLayout, KnobRowCellsAreEqual)
{
    const auto l = computePanelLayout((float) panelWidth, (float) panelHeight);
    const auto& punch = l.knobCells[(size_t) knobIndex("punch")];
    const auto& clip = l.knobCells[(size_t) knobIndex("clip")];
    const auto& mix = l.knobCells[(size_t) knobIndex("mix")];
    const auto& output = l.knobCells[(size_t) knobIndex("output")];
    for (const auto& cell : {punch, clip, mix, output})
    {
        EXPECT_NEAR(cell.getWidth(), punch.getWidth(), 0.01f);
        EXPECT_EQ(cell.getY(), punch.getY());
    }
    // The gap between neighbouring cells is twice the 10 % side trim of a quarter.
    EXPECT_NEAR(clip.getX() - punch.getRight(), mix.getX() - clip.getRight(), 0.01f);
    EXPECT_LT(output.getRight(), l.knobRowArea.getRight());
}

TEST(PanelLayout, TinyPanelProducesNoNegativeSizes)
{
    for (const auto size : {Rectangle<int>(0, 0, 40, 30), Rectangle<int>(0, 0, 1, 1), Rectangle<int>(0, 0, 0, 0)})
    {
        SCOPED_TRACE(size.toString());
        const auto l = computePanelLayout((float) size.getWidth(), (float) size.getHeight());
        for (const auto& [area, name] : {std::pair{l.headerArea, "header"}, {l.leftColumnArea, "left column"},
                                         {l.centreArea, "centre"}, {l.knobRowArea, "knob row"},
                                         {l.rightColumnArea, "right column"}, {l.displayArea, "display"},
                                         {l.inputMeterArea, "input meter"}, {l.outputMeterArea, "output meter"},
                                         {l.selectorTitleAreas[0], "focus title"}, {l.selectorTitleAreas[1], "mode title"}})
            expectNoNegativeSize(area, name);
        for (const auto& cell : l.knobCells)
            expectNoNegativeSize(cell, "knob cell");
        for (size_t i = 0; i < l.knobBounds.size(); ++i)
        {
            expectNoNegativeSize(l.knobBounds[i], "knob");
            expectNoNegativeSize(l.valueLabelBounds[i], "value label");
        }
        for (const auto& group : l.selectorButtonBounds)
            for (const auto& button : group)
                expectNoNegativeSize(button, "selector");
        expectNoNegativeSize(l.powerButtonBounds, "power button");
    }
}

TEST(PanelLayout, TinyPanelLaysOutAndPaints)
{
    TarvoltAudioProcessor processor;
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(40, 30);
    for (auto* child : panel.getChildren())
        expectNoNegativeSize(child->getBounds(), "child");

    // The painting runs through without a framework assertion (each fails the test) and covers
    // the whole panel.
    const auto image = guitest::render(panel);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            ASSERT_EQ(image.getPixelAt(x, y).getAlpha(), 255) << x << ", " << y;
}
