#include "DialogTestSupport.h"

#include "editor/bar/DialogLookAndFeel.h"
#include "editor/bar/NameEntryDialog.h"
#include "editor/look/Palette.h"

TEST(DialogLook, ButtonPlacement)
{
    using R = juce::Rectangle<int>;
    EXPECT_EQ(DialogLookAndFeel::buttonBounds(400, 200, 2), (std::vector<R>{{74, 144, 120, 36}, {206, 144, 120, 36}}));
    EXPECT_EQ(DialogLookAndFeel::buttonBounds(400, 200, 3), (std::vector<R>{{74, 144, 120, 36}, {206, 144, 120, 36}}));
    EXPECT_EQ(DialogLookAndFeel::buttonBounds(400, 200, 1), (std::vector<R>{{132, 144, 136, 36}}));
    EXPECT_TRUE(DialogLookAndFeel::buttonBounds(400, 200, 0).empty());
}

TEST(DialogLook, PaintingADialogPlacesItsButtonsAndDrawsTheBox)
{
    DialogLookAndFeel look;
    juce::AlertWindow dialog("Delete Preset?", "Are you sure?", juce::MessageBoxIconType::WarningIcon);
    dialog.addButton("Delete", 1);
    dialog.addButton("Cancel", 0);
    dialog.setLookAndFeel(&look);
    dialog.setSize(400, 200);

    const auto image = guitest::render(dialog);
    std::vector<juce::Rectangle<int>> placed;
    for (auto* child : dialog.getChildren())
        if (dynamic_cast<juce::TextButton*>(child) != nullptr)
            placed.push_back(child->getBounds());
    EXPECT_EQ(placed, DialogLookAndFeel::buttonBounds(400, 200, 2));

    // A vertical gradient inside a light outline, no icon.
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(200, 12), palette::dialog::boxTop, 2));
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(200, 188), palette::dialog::boxBottom, 2));
    EXPECT_GT(image.getPixelAt(200, 0).getBrightness(), image.getPixelAt(200, 12).getBrightness() + 0.2f)
        << "a light outline half covers the edge row";
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(20, 20), image.getPixelAt(200, 20), 1))
        << "the warning icon is not drawn";
    dialog.setLookAndFeel(nullptr);
}

// The framework lays the text of a dialog with an icon out from the left, beside the icon; the
// look draws no icon, so it centres every dialog's lines, warnings included.
TEST(DialogLook, EveryDialogsTextIsCentred)
{
    for (const auto icon : {juce::MessageBoxIconType::NoIcon, juce::MessageBoxIconType::WarningIcon})
    {
        SCOPED_TRACE((int) icon);
        DialogLookAndFeel look;
        juce::AlertWindow dialog("Delete Preset?", "Are you sure you want to delete \"Kick\"?", icon);
        dialog.setLookAndFeel(&look);
        dialog.addButton("Delete", 1);
        dialog.addButton("Cancel", 0);
        const auto image = guitest::render(dialog);

        // Each line of text (rows of light pixels above the buttons, inside the outline) is
        // centred on the box.
        const int textBottom = juce::roundToInt((float) image.getHeight() * 0.72f) - 2;
        int lines = 0;
        for (int y = 3; y < textBottom;)
        {
            const auto rowExtent = [&](int row) {
                juce::Range<int> extent;
                for (int x = 3; x < image.getWidth() - 3; ++x)
                    if (image.getPixelAt(x, row).getBrightness() > 0.5f)
                        extent = extent.isEmpty() ? juce::Range<int>(x, x + 1) : extent.getUnionWith(x);
                return extent;
            };
            auto line = rowExtent(y);
            if (line.isEmpty())
            {
                ++y;
                continue;
            }
            for (++y; y < textBottom; ++y)
            {
                const auto row = rowExtent(y);
                if (row.isEmpty())
                    break;
                line = line.getUnionWith(row);
            }
            ++lines;
            EXPECT_NEAR((float) (line.getStart() + line.getEnd()) * 0.5f, (float) image.getWidth() * 0.5f, 3.0f)
                << "line " << lines << " from " << line.getStart() << " to " << line.getEnd() << " in "
                << image.getWidth();
        }
        EXPECT_EQ(lines, 2) << "the title and the message";
        dialog.setLookAndFeel(nullptr);
    }
}

TEST(DialogLook, FontsAndColours)
{
    DialogLookAndFeel look;
    juce::TextButton button;
    struct FontCase
    {
        int buttonHeight;
        float fontHeight;
    };
    for (const auto& c : {FontCase{30, 16.0f}, FontCase{15, 13.5f}, FontCase{17, 15.3f}})
    {
        const auto font = look.getTextButtonFont(button, c.buttonHeight);
        EXPECT_FLOAT_EQ(font.getHeight(), c.fontHeight) << c.buttonHeight;
        EXPECT_TRUE(font.isBold());
    }
    EXPECT_FLOAT_EQ(look.getAlertWindowTitleFont().getHeight(), 20.0f);
    EXPECT_TRUE(look.getAlertWindowTitleFont().isBold());
    EXPECT_FLOAT_EQ(look.getAlertWindowMessageFont().getHeight(), 16.0f);
    EXPECT_FALSE(look.getAlertWindowMessageFont().isBold());

    struct ColourCase
    {
        int id;
        juce::Colour colour;
    };
    namespace dialog = palette::dialog;
    const ColourCase colours[] = {
        {juce::AlertWindow::backgroundColourId, dialog::background},
        {juce::AlertWindow::textColourId, dialog::text},
        {juce::TextEditor::backgroundColourId, dialog::fieldBackground},
        {juce::TextEditor::textColourId, dialog::fieldText},
        {juce::TextEditor::outlineColourId, dialog::fieldOutline},
        {juce::TextEditor::focusedOutlineColourId, dialog::fieldFocusedOutline},
        {juce::TextEditor::highlightedTextColourId, dialog::fieldHighlightedText},
        {juce::TextButton::buttonColourId, dialog::button},
        {juce::TextButton::buttonOnColourId, dialog::buttonOn},
        {juce::TextButton::textColourOffId, dialog::buttonText},
        {juce::TextButton::textColourOnId, dialog::buttonText},
    };
    for (const auto& c : colours)
        EXPECT_EQ(look.findColour(c.id), c.colour) << std::hex << c.id;
}

TEST(DialogLook, ButtonBodyLightensUnderTheMouseAndWhenPressed)
{
    DialogLookAndFeel look;
    juce::TextButton button("OK");
    button.setSize(120, 36);
    struct Case
    {
        bool over, down;
        juce::Colour fill;
    };
    namespace bar = palette::bar;
    for (const auto& c : {Case{false, false, bar::buttonFill}, Case{true, false, bar::buttonFillHover},
                          Case{true, true, bar::buttonFillPressed}})
    {
        juce::Image image(juce::Image::ARGB, 120, 36, true, juce::SoftwareImageType());
        juce::Graphics g(image);
        look.drawButtonBackground(g, button, juce::Colours::red, c.over, c.down);
        EXPECT_TRUE(guitest::colourNear(image.getPixelAt(60, 18), c.fill, 1));
        EXPECT_TRUE(guitest::colourNear(image.getPixelAt(60, 0), bar::outline, 8)) << "outline";
    }
}

TEST(DialogLook, TheNameFieldIsOutlinedGreenWhileFocusedAndGreyOtherwise)
{
    DialogLookAndFeel look;
    NameEntryDialog dialog("Save Preset", "Enter a name:", "MyPreset", "Save", look);
    dialog.setSize(400, 220);
    const auto& field = dialog.getNameField();
    const auto r = field.getBounds();

    // The four edges at their middles, and just inside the right edge: outline `thickness` pixels wide,
    // then the field's background.
    const auto expectOutline = [&](juce::Colour outline, int thickness) {
        const auto image = guitest::render(dialog);
        for (int inset = 0; inset < thickness; ++inset)
        {
            SCOPED_TRACE(inset);
            EXPECT_TRUE(guitest::colourNear(image.getPixelAt(r.getCentreX(), r.getY() + inset), outline, 1)) << "top";
            EXPECT_TRUE(guitest::colourNear(image.getPixelAt(r.getCentreX(), r.getBottom() - 1 - inset), outline, 1))
                << "bottom";
            EXPECT_TRUE(guitest::colourNear(image.getPixelAt(r.getX() + inset, r.getCentreY()), outline, 1)) << "left";
            EXPECT_TRUE(guitest::colourNear(image.getPixelAt(r.getRight() - 1 - inset, r.getCentreY()), outline, 1))
                << "right";
        }
        EXPECT_TRUE(guitest::colourNear(image.getPixelAt(r.getRight() - 1 - thickness, r.getCentreY()),
                                        palette::dialog::fieldBackground, 1));
    };

    {
        SCOPED_TRACE("not focused");
        expectOutline(palette::dialog::fieldOutline, 1);
    }

    dialog.setVisible(true); // on the screen: the field takes the focus with the window
    ASSERT_TRUE(guitest::nameFieldFocused(&dialog));
    {
        SCOPED_TRACE("focused");
        expectOutline(palette::dialog::fieldFocusedOutline, 2);
    }
}
