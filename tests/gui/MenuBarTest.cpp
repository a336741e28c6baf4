#include "DialogTestSupport.h"

#include "editor/bar/MenuBar.h"
#include "presets/PresetTestSupport.h"

namespace
{
const juce::String arrow = juce::String(juce::CharPointer_UTF8("  \xe2\x96\xbe"));
}

TEST(MenuBar, LayoutFollowsTheBarSize)
{
    struct Case
    {
        int width, height;
        juce::Rectangle<int> previous, preset, next, save;
        float itemFont, headerFont;
        int itemHeight;
    };
    const Case cases[] = {
        {1256, 70, {336, 8, 46, 46}, {387, 8, 301, 46}, {693, 8, 46, 46}, {752, 8, 126, 46}, 19.6f, 22.4f, 23},
        {1700, 95, {454, 11, 63, 63}, {524, 11, 408, 63}, {939, 11, 63, 63}, {1019, 11, 171, 63}, 26.6f, 30.4f, 31},
        // The smallest window: 18 is the least button height.
        {500, 28, {134, 6, 18, 18}, {154, 6, 120, 18}, {276, 6, 18, 18}, {299, 6, 50, 18}, 7.84f, 8.96f, 9},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.width) + " x " + juce::String(c.height));
        MenuBar bar;
        bar.setSize(c.width, c.height);
        EXPECT_EQ(MenuBarTestAccess::previousButton(bar).getBounds(), c.previous);
        EXPECT_EQ(MenuBarTestAccess::presetButton(bar).getBounds(), c.preset);
        EXPECT_EQ(MenuBarTestAccess::nextButton(bar).getBounds(), c.next);
        EXPECT_EQ(MenuBarTestAccess::saveButton(bar).getBounds(), c.save);
        EXPECT_FLOAT_EQ(MenuBarTestAccess::menuLook(bar).itemFontHeight, c.itemFont);
        EXPECT_FLOAT_EQ(MenuBarTestAccess::menuLook(bar).sectionHeaderFontHeight, c.headerFont);
        EXPECT_EQ(MenuBarTestAccess::menuLook(bar).itemHeight, c.itemHeight);

        const int side = (int) ((float) c.height * 0.8f);
        EXPECT_EQ(MenuBarTestAccess::settingsButton(bar).getBounds(),
                  juce::Rectangle<int>((int) std::lround((float) c.width * 0.9f),
                                       (int) (((float) c.height - (float) c.height * 0.8f) / 2.0f), side, side));
        EXPECT_TRUE(MenuBarTestAccess::settingsButton(bar).isVisible());
    }
}

TEST(MenuBar, CaptionRules)
{
    struct Case
    {
        const char* displayName;
        juce::String caption;
    };
    const Case cases[] = {
        {"", "Presets" + arrow},
        {"Preset", "Presets" + arrow},
        {"preset", "preset" + arrow},
        {"  Punchy Kicks  ", "Punchy Kicks" + arrow},
        {"Punchy Kicks *", "Punchy Kicks *" + arrow},
        {"Preset *", "Preset *" + arrow},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MenuBar::captionFor(c.displayName), c.caption) << c.displayName;

    MenuBar bar;
    EXPECT_EQ(MenuBarTestAccess::presetButton(bar).getCaption(), "Presets" + arrow) << "no preset manager";
    EXPECT_EQ(MenuBarTestAccess::saveButton(bar).getCaption(), "Save");
}

TEST(MenuBar, ACaptionTooWideForItsButtonKeepsItsBeginningAndLosesItsEnd)
{
    IconButton button("Preset");
    button.setSize(120, 18); // the preset button of the smallest window
    const auto paint = [&button](const juce::String& caption) {
        button.setCaption(caption);
        return guitest::render(button);
    };
    const auto differ = [](const juce::Image& a, const juce::Image& b) {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                    return true;
        return false;
    };
    const juce::String middle = " Drum Bus Parallel Crush With Room *" + arrow;

    EXPECT_TRUE(differ(paint("Amber" + middle), paint("Zebra" + middle))) << "the beginning is shown";
    EXPECT_FALSE(differ(paint("Kicks" + middle + "Amber"), paint("Kicks" + middle + "Zebra")))
        << "the end is cut off";

    // No letter reaches into the margins, where only the body and its outline are drawn.
    const auto wide = paint("Amber" + middle), empty = paint(" ");
    for (int y = 0; y < wide.getHeight(); ++y)
        for (int x : {0, 1, 2, 3, 4, 5, 114, 115, 116, 117, 118, 119})
            EXPECT_EQ(wide.getPixelAt(x, y), empty.getPixelAt(x, y)) << x << ", " << y;
}

TEST(MenuBar, CaptionFollowsThePresetManagerWithinATimerPeriod)
{
    ParameterHost host;
    auto& state = host.getState();
    MenuBar bar;
    bar.setPresetManager(&state);
    EXPECT_EQ(MenuBarTestAccess::presetButton(bar).getCaption(), "Presets" + arrow);

    state.loadFactoryPreset("Snare Snap");
    EXPECT_TRUE(guitest::pumpUntil([&] { return MenuBarTestAccess::presetButton(bar).getCaption() == "Snare Snap" + arrow; }, 400));

    harness::setPlain(state, "attack", 1.0f);
    EXPECT_TRUE(guitest::pumpUntil([&] { return MenuBarTestAccess::presetButton(bar).getCaption() == "Snare Snap *" + arrow; }, 400));

    bar.setPresetManager(nullptr);
    EXPECT_EQ(MenuBarTestAccess::presetButton(bar).getCaption(), "Presets" + arrow);
}

TEST(MenuBar, ResolutionMenuSetsTheModeAndTellsTheEditor)
{
    MenuBar bar;
    bar.setSize(1256, 70);
    std::vector<DisplayResolution> told;
    bar.getSettingsMenu().onResolutionChange = [&](DisplayResolution mode) { told.push_back(mode); };
    EXPECT_EQ(bar.getSettingsMenu().getResolution(), DisplayResolution::Auto);

    const auto menu = bar.getSettingsMenu().create();
    juce::PopupMenu::MenuItemIterator items(menu);
    ASSERT_TRUE(items.next());
    EXPECT_TRUE(items.getItem().isSectionHeader);
    EXPECT_EQ(items.getItem().text, "Display Resolution");
    const char* names[] = {"Auto", "Low", "Medium", "High"};
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_TRUE(items.next());
        EXPECT_EQ(items.getItem().text, names[i]);
        EXPECT_EQ(items.getItem().itemID, 910001 + i);
        EXPECT_EQ(items.getItem().isTicked, i == 0);
    }
    EXPECT_FALSE(items.next());

    for (int ignored : {0, 910000, 910005, 1001})
        bar.getSettingsMenu().handleResult(ignored);
    EXPECT_TRUE(told.empty());

    bar.getSettingsMenu().handleResult(910002);
    bar.getSettingsMenu().handleResult(910004);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], DisplayResolution::Low);
    EXPECT_EQ(told[1], DisplayResolution::High);
    EXPECT_EQ(bar.getSettingsMenu().getResolution(), DisplayResolution::High);
}

// The current choice in the bar's menus carries a tick, as in every menu, in a column before the
// names, so that the names stand aligned whether ticked or not.
TEST(MenuBar, MenusTickTheCurrentChoice)
{
    MenuBarLookAndFeel look;
    look.setSizesForBarHeight(70.0f);
    const juce::Rectangle<int> area(0, 0, 200, 24);
    const auto draw = [&](bool ticked, const juce::String& text) {
        juce::Image image(juce::Image::ARGB, area.getWidth(), area.getHeight(), true);
        juce::Graphics g(image);
        look.drawPopupMenuItem(g, area, false, true, false, ticked, false, text, {}, nullptr, nullptr);
        return image;
    };
    // The leftmost column with a drawn pixel, or the width when there is none.
    const auto firstDrawnColumn = [](const juce::Image& image) {
        for (int x = 0; x < image.getWidth(); ++x)
            for (int y = 0; y < image.getHeight(); ++y)
                if (image.getPixelAt(x, y).getAlpha() > 128)
                    return x;
        return image.getWidth();
    };

    const int nameStart = firstDrawnColumn(draw(false, "High"));
    EXPECT_EQ(firstDrawnColumn(draw(false, "")), area.getWidth()); // no tick, no name: nothing
    EXPECT_LT(firstDrawnColumn(draw(true, "")), nameStart);         // the tick alone, before the names
    EXPECT_LT(firstDrawnColumn(draw(true, "High")), nameStart);
}

TEST(Editor, BarAbovePanelAndTheResolutionChoiceChangesTheCurves)
{
    guitest::EditorFixture fixture;
    fixture.editor->setSize(1256, 780);
    auto& bar = TarvoltEditorTestAccess::bar(*fixture.editor);
    EXPECT_EQ(bar.getBounds(), juce::Rectangle<int>(0, 0, 1256, 70));
    EXPECT_EQ(fixture.panel().getBounds(), juce::Rectangle<int>(0, 70, 1256, 710));
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getResolution(), bar.getSettingsMenu().getResolution());

    const auto display = MainPanelTestAccess::layout(fixture.panel()).displayArea.toNearestInt();
    const auto high = guitest::render(fixture.panel()).getClippedImage(display);

    bar.getSettingsMenu().handleResult(910002); // Low
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getResolution(), DisplayResolution::Low);
    const auto low = guitest::render(fixture.panel()).getClippedImage(display);

    int differing = 0;
    for (int y = 0; y < high.getHeight(); ++y)
        for (int x = 0; x < high.getWidth(); ++x)
            differing += high.getPixelAt(x, y) != low.getPixelAt(x, y) ? 1 : 0;
    EXPECT_GT(differing, 50) << "fewer points draw a visibly coarser curve";

    bar.getSettingsMenu().handleResult(910001); // Auto: a wide plot gets all points
    const auto automatic = guitest::render(fixture.panel()).getClippedImage(display);
    int differingFromHigh = 0;
    for (int y = 0; y < high.getHeight(); ++y)
        for (int x = 0; x < high.getWidth(); ++x)
            differingFromHigh += high.getPixelAt(x, y) != automatic.getPixelAt(x, y) ? 1 : 0;
    EXPECT_EQ(differingFromHigh, 0);
}

// Quality and Stereo Link in the settings menu, after the display resolution: ticked at the
// parameter's value; a choice reaches the host as a complete gesture, and the display's read-out
// line says what is on.
TEST(Editor, SettingsMenuOffersQualityAndStereoLinkAsHostParameters)
{
    guitest::EditorFixture fixture;
    fixture.editor->setSize(1256, 780);
    auto& bar = TarvoltEditorTestAccess::bar(*fixture.editor);

    struct Gestures final : juce::AudioProcessorParameter::Listener
    {
        juce::StringArray log;
        void parameterValueChanged(int, float value) override { log.add("set " + juce::String(value)); }
        void parameterGestureChanged(int, bool starting) override { log.add(starting ? "begin" : "end"); }
    };
    for (const char* id : {ParameterIDs::quality, ParameterIDs::link})
    {
        SCOPED_TRACE(id);
        const auto& spec = *findParameterSpec(id);
        auto* parameter = fixture.processor.getState().parameters.getParameter(id);
        Gestures gestures;
        parameter->addListener(&gestures);

        // The section and its options' ids, as the menu lists them.
        const auto menu = bar.getSettingsMenu().create();
        juce::PopupMenu::MenuItemIterator items(menu);
        int firstOption = 0;
        while (items.next())
            if (items.getItem().isSectionHeader && items.getItem().text == spec.name)
            {
                ASSERT_TRUE(items.next());
                EXPECT_EQ(items.getItem().text, spec.choices[0]);
                EXPECT_TRUE(items.getItem().isTicked);
                firstOption = items.getItem().itemID;
                ASSERT_TRUE(items.next());
                EXPECT_EQ(items.getItem().text, spec.choices[1]);
                EXPECT_FALSE(items.getItem().isTicked);
            }
        ASSERT_NE(firstOption, 0) << "no section " << spec.name;

        bar.getSettingsMenu().handleResult(firstOption + 1);
        EXPECT_EQ(harness::getPlain(fixture.processor, id), 1.0f);
        EXPECT_EQ(gestures.log, juce::StringArray({"begin", "set 1", "end"}));
        parameter->removeListener(&gestures);
    }

    DisplaySettings settings;
    EXPECT_EQ(displayReadOut(settings), "MIX 100%  CLIP 25%");
    settings.parameters.set(ParameterIDs::quality, (float) choiceIndex(Quality::high)).set(ParameterIDs::link, (float) choiceIndex(StereoLink::on));
    EXPECT_EQ(displayReadOut(settings), "HQ  LINK  MIX 100%  CLIP 25%");
    EXPECT_EQ(fixture.processor.getLatencySamples(), TransientShaper::latencyFor(Quality::high));
}

TEST(DisplayResolution, PointsPerCurve)
{
    struct Case
    {
        DisplayResolution mode;
        float plotWidth;
        int points;
    };
    const Case cases[] = {
        {DisplayResolution::High, 100.0f, 221},  {DisplayResolution::Medium, 900.0f, 111},
        {DisplayResolution::Low, 900.0f, 56},    {DisplayResolution::Auto, 700.0f, 221},
        {DisplayResolution::Auto, 450.0f, 111},  {DisplayResolution::Auto, 120.0f, 56},
    };
    for (const auto& c : cases)
        EXPECT_EQ(curvePointsFor(c.mode, c.plotWidth), c.points) << (int) c.mode << " at " << c.plotWidth;
}

TEST(DisplayModel, FewerPointsShowTheSameHit)
{
    const DisplaySettings defaults;
    const auto full = computeDisplayModel(defaults, 221);
    for (int points : {111, 56})
    {
        const auto coarse = computeDisplayModel(defaults, points);
        ASSERT_EQ(coarse.numPoints, points);
        const int stride = 220 / (points - 1);
        for (int k = 0; k < points; ++k)
        {
            EXPECT_EQ(coarse.dry[(size_t) k], full.dry[(size_t) (k * stride)]);
            EXPECT_EQ(coarse.shaped[(size_t) k], full.shaped[(size_t) (k * stride)]);
        }
        EXPECT_EQ(coarse.peak, full.peak);
    }
}
