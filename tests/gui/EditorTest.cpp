#include "GuiTestSupport.h"

#include "editor/EditorSize.h"
#include "editor/look/ResizeGripLookAndFeel.h"
#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"

namespace
{
struct SizeCase
{
    int displayWidth, displayHeight; // usable area
    int width, height;               // opening size
    int minWidth, minHeight, maxWidth, maxHeight;
};

// The opening height is three quarters of the usable height less 120 pixels for the host's frame
// (title bar, toolbar, borders), so that the whole window opens on the screen: on a 1080-line
// display (usable 1040) 690 rather than 780, which with a host's frame ran off the bottom.
const SizeCase sizeCases[] = {
    {1920, 1040, 1111, 690, 500, 311, 1700, 1056},  // the common case: 0.75 x (1040 - 120)
    {1920, 1080, 1159, 720, 500, 311, 1700, 1056},  // no task bar
    {800, 500, 500, 311, 500, 311, 800, 497},       // 0.75 x 380 = 285 tall is under the minimum width
    {3840, 2100, 1700, 1056, 500, 311, 1700, 1056}, // width capped
    {400, 300, 400, 248, 400, 248, 400, 248},       // narrow display: fixed size
    {2560, 300, 483, 300, 500, 311, 1700, 1056},    // too short for the minimum width: fit the height
};
} // namespace

TEST(EditorSize, OpeningSizeAndLimitsFollowTheDisplay)
{
    const EditorProportions layout;
    for (const auto& c : sizeCases)
    {
        SCOPED_TRACE(juce::String(c.displayWidth) + " x " + juce::String(c.displayHeight));
        const auto size = computeEditorSize({0, 0, c.displayWidth, c.displayHeight}, layout);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        EXPECT_EQ(size.minWidth, c.minWidth);
        EXPECT_EQ(size.minHeight, c.minHeight);
        EXPECT_EQ(size.maxWidth, c.maxWidth);
        EXPECT_EQ(size.maxHeight, c.maxHeight);
        EXPECT_DOUBLE_EQ(size.aspectRatio, (double) 1.61f);
    }
}

TEST(EditorSize, DegenerateLayoutFieldsStillGiveAUsableWindow)
{
    EditorProportions layout;
    layout.aspectRatio = 0.0f;           // floored at 0.1
    layout.defaultHeightFraction = 5.0f; // at most the whole height
    const auto size = computeEditorSize({0, 0, 1000, 800}, layout);
    EXPECT_DOUBLE_EQ(size.aspectRatio, 0.1);
    EXPECT_LE(size.height, 800);
    EXPECT_GE(size.width, 1);

    const auto empty = computeEditorSize({}, EditorProportions{});
    EXPECT_GE(empty.width, 1);
    EXPECT_GE(empty.height, 1);
}

TEST(Editor, ProcessorOpensThePanelSizedForItsDisplay)
{
    guitest::EditorFixture fixture;
    ASSERT_NE(fixture.editor, nullptr);
    auto& editor = *fixture.editor;

    const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForRect(editor.getScreenBounds());
    ASSERT_NE(display, nullptr);
    const auto expected = computeEditorSize(display->userArea, EditorProportions{});
    EXPECT_EQ(editor.getWidth(), expected.width);
    EXPECT_EQ(editor.getHeight(), expected.height);

    auto* constrainer = editor.getConstrainer();
    ASSERT_NE(constrainer, nullptr);
    EXPECT_EQ(constrainer->getMinimumWidth(), expected.minWidth);
    EXPECT_EQ(constrainer->getMinimumHeight(), expected.minHeight);
    EXPECT_EQ(constrainer->getMaximumWidth(), expected.maxWidth);
    EXPECT_EQ(constrainer->getMaximumHeight(), expected.maxHeight);
    EXPECT_DOUBLE_EQ(constrainer->getFixedAspectRatio(), expected.aspectRatio);
    EXPECT_EQ(editor.isResizable(), expected.minWidth != expected.maxWidth);

    // The menu bar's strip takes 9 % of the height; the panel fills the rest.
    const int barHeight = juce::roundToInt((float) editor.getHeight() * 0.09f);
    EXPECT_EQ(fixture.panel().getBounds(), juce::Rectangle<int>(0, barHeight, editor.getWidth(),
                                                                editor.getHeight() - barHeight));
}

TEST(Editor, ResizingRelaysThePanel)
{
    guitest::EditorFixture fixture;
    fixture.editor->setSize(1256, 780);
    EXPECT_EQ(fixture.panel().getBounds(), juce::Rectangle<int>(0, 70, 1256, 710));
    EXPECT_EQ(MainPanelTestAccess::powerButton(fixture.panel()).getBounds(), juce::Rectangle<int>(1074, 25, 50, 50));

    fixture.editor->setSize(805, 500);
    EXPECT_EQ(fixture.panel().getBounds(), juce::Rectangle<int>(0, 45, 805, 455));
    EXPECT_EQ(MainPanelTestAccess::powerButton(fixture.panel()).getBounds(),
              computePanelLayout(805.0f, 455.0f).powerButtonBounds);
}

// A size a host imposes is put back to the aspect ratio: the largest that fits in it, within the
// limits (those of a 1920 x 1040 work area: 500 x 311 to 1700 x 1056).
TEST(EditorSize, AHostsSizeIsFittedToTheAspectRatio)
{
    const auto limits = computeEditorSize({0, 0, 1920, 1040}, EditorProportions{});
    struct Case
    {
        const char* what;
        int width, height, fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        {"at the ratio", 1256, 780, 1256, 780},
        {"too wide (1.5 instead of 1.61 the other way)", 1000, 500, 805, 500},
        {"too tall", 805, 700, 805, 500},
        {"below the smallest", 300, 200, 500, 311},
        {"above the largest", 2400, 2000, 1700, 1056},
        {"nothing", 0, 0, 500, 311},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fitToAspectRatio(limits, c.width, c.height), juce::Point<int>(c.fittedWidth, c.fittedHeight));
        EXPECT_EQ(keepsRatioAndLimits(limits, c.width, c.height), c.width == c.fittedWidth && c.height == c.fittedHeight);
    }
}

// The editor's own grip, so that it can be resized (and shrunk) in any host: in the bottom-right
// corner, in the editor's look, above the panel.
TEST(Editor, HasItsOwnResizeGripInTheCorner)
{
    guitest::EditorFixture fixture;
    auto& editor = *fixture.editor;
    juce::ResizableCornerComponent* grip = nullptr;
    for (auto* child : editor.getChildren())
        if (auto* corner = dynamic_cast<juce::ResizableCornerComponent*>(child))
            grip = corner;
    ASSERT_NE(grip, nullptr);
    EXPECT_TRUE(grip->isVisible());
    EXPECT_EQ(grip->getBounds().getBottomRight(), editor.getLocalBounds().getBottomRight());
    EXPECT_EQ(editor.getChildren().getLast(), grip);
    EXPECT_NE(dynamic_cast<ResizeGripLookAndFeel*>(&grip->getLookAndFeel()), nullptr);
    EXPECT_FALSE(grip->getWantsKeyboardFocus());
}

// A host that resizes the window without asking the editor for its constraints gets the aspect
// ratio back once its resizing is over.
TEST(Editor, AHostsSizeThatBreaksTheRatioIsPutBack)
{
    guitest::EditorFixture fixture;
    auto& editor = *fixture.editor;
    const struct
    {
        int width, height, fittedWidth, fittedHeight;
    } cases[] = {{1000, 500, 805, 500}, {805, 700, 805, 500}, {1256, 780, 1256, 780}};
    for (const auto& c : cases)
    {
        editor.setSize(c.width, c.height);
        guitest::pumpUntil([&] { return editor.getWidth() == c.fittedWidth && editor.getHeight() == c.fittedHeight; },
                           1000);
        EXPECT_EQ(juce::Point<int>(editor.getWidth(), editor.getHeight()), juce::Point<int>(c.fittedWidth, c.fittedHeight));
    }
}

namespace
{
juce::Displays::Display makeDisplay(juce::Rectangle<int> area, bool isMain)
{
    juce::Displays::Display d;
    d.totalArea = area;
    d.userArea = area.withTrimmedBottom(40); // a task bar
    d.isMain = isMain;
    d.scale = 1.0;
    return d;
}
} // namespace

TEST(EditorSize, TheDisplayTheEditorOpensOn)
{
    const auto main = makeDisplay({0, 0, 1920, 1080}, true);
    const auto left = makeDisplay({-2560, 0, 2560, 1440}, false);
    const auto right = makeDisplay({1920, 0, 1280, 1024}, false);
    using List = juce::Array<juce::Displays::Display>;

    struct Case
    {
        const char* what;
        List displays;
        juce::Rectangle<int> window;
        juce::Rectangle<int> expected;
    };
    const Case cases[] = {
        // Not on screen yet: the main display, wherever the list puts it (the framework's own
        // choice for empty bounds is the last one).
        {"not on screen, main first", List{main, left, right}, {}, main.userArea},
        {"not on screen, main in the middle", List{left, main, right}, {}, main.userArea},
        {"not on screen, main last", List{right, left, main}, {}, main.userArea},
        // On screen: the display holding most of the window.
        {"window on the right display", List{main, right}, {2000, 100, 800, 500}, right.userArea},
        {"window mostly on the left display", List{left, main}, {-600, 100, 800, 500}, left.userArea},
        {"window on no display", List{left, main, right}, {9000, 9000, 100, 100}, main.userArea},
        // No main display: the bounding box of all usable areas.
        {"no main display", List{makeDisplay({0, 0, 800, 600}, false), makeDisplay({800, 0, 800, 600}, false)}, {},
         {0, 0, 1600, 560}},
        {"no display", List{}, {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseDisplayUserArea(c.displays, c.window), c.expected) << c.what;
}

TEST(Editor, PanelDrawsWithTheResolutionTheBarShowsFromTheStart)
{
    guitest::EditorFixture fixture;
    EXPECT_EQ(MainPanelTestAccess::display(fixture.panel()).getResolution(), TarvoltEditorTestAccess::bar(*fixture.editor).getSettingsMenu().getResolution());
}

// The over indicator lights once a channel reaches full scale, stays while the level falls and
// goes with a click on the meter, as a user's click through the window delivers it.
TEST(Editor, MeterHoldsItsOverUntilClicked)
{
    guitest::EditorFixture fixture;
    ASSERT_TRUE(fixture.showFocused());
    auto& panel = fixture.panel();
    auto& meter = MainPanelTestAccess::inputMeter(panel);
    const auto& l = MainPanelTestAccess::layout(panel);
    const auto box = layoutLevelMeter(l.inputMeterArea, l.scale).peakBox;
    ASSERT_FALSE(box.isEmpty());
    // The box's lower edge, clear of its text.
    const auto probe = juce::Point<int>(box.getCentreX(), box.getBottom() - 2);
    const auto overShown = [&] {
        MainPanelTestAccess::timerTick(panel);
        return guitest::colourNear(guitest::render(panel).getPixelAt(probe.x, probe.y), palette::panel::meterOver);
    };

    auto& meters = fixture.processor.getMeters();
    const auto setLevels = [&](float left, float right) {
        meters.setInputLevel(0, left);
        meters.setInputLevel(1, right);
    };
    setLevels(0.9f, 0.9f);
    EXPECT_FALSE(overShown());
    setLevels(0.9f, 1.0f);
    EXPECT_TRUE(overShown());
    setLevels(0.0f, 0.0f);
    EXPECT_TRUE(overShown());
    fixture.click(meter);
    guitest::pumpFor(50);
    EXPECT_FALSE(overShown());
}
