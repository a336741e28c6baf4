#include "DialogTestSupport.h"

#include "editor/DialogLookAndFeel.h"
#include "editor/NameEntryDialog.h"
#include "editor/Palette.h"

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

    // A vertical gradient from 0xff131415 to 0xff0e0f10 inside a light outline, no icon.
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(200, 12), juce::Colour(0xff131415), 2));
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(200, 188), juce::Colour(0xff0e0f10), 2));
    EXPECT_GT(image.getPixelAt(200, 0).getBrightness(), image.getPixelAt(200, 12).getBrightness() + 0.2f)
        << "a light outline half covers the edge row";
    EXPECT_TRUE(guitest::colourNear(image.getPixelAt(20, 20), image.getPixelAt(200, 20), 1))
        << "the warning icon is not drawn";
    dialog.setLookAndFeel(nullptr);
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
        juce::uint32 argb;
    };
    const ColourCase colours[] = {
        {juce::AlertWindow::backgroundColourId, 0xff12161b}, {juce::AlertWindow::textColourId, 0xdcd2e1eb},
        {juce::TextEditor::backgroundColourId, 0xff161c22},  {juce::TextEditor::textColourId, 0xffeff5ff},
        {juce::TextEditor::outlineColourId, 0xff384452},     {juce::TextEditor::focusedOutlineColourId, 0xff4eff24},
        {juce::TextButton::buttonColourId, 0xff1c232b},      {juce::TextButton::buttonOnColourId, 0xff26303a},
        {juce::TextButton::textColourOffId, 0xffeff5ff},     {juce::TextButton::textColourOnId, 0xffeff5ff},
        {juce::TextEditor::highlightedTextColourId, 0xffffffff},
    };
    for (const auto& c : colours)
        EXPECT_EQ(look.findColour(c.id).getARGB(), c.argb) << std::hex << c.id;
}

TEST(DialogLook, ButtonBodyLightensUnderTheMouseAndWhenPressed)
{
    DialogLookAndFeel look;
    juce::TextButton button("OK");
    button.setSize(120, 36);
    struct Case
    {
        bool over, down;
        juce::uint32 fill;
    };
    for (const auto& c : {Case{false, false, 0xff181e24}, Case{true, false, 0xff30363b}, Case{true, true, 0xff3b4045}})
    {
        juce::Image image(juce::Image::ARGB, 120, 36, true, juce::SoftwareImageType());
        juce::Graphics g(image);
        look.drawButtonBackground(g, button, juce::Colours::red, c.over, c.down);
        EXPECT_TRUE(guitest::colourNear(image.getPixelAt(60, 18), juce::Colour(c.fill), 1));
        EXPECT_TRUE(guitest::colourNear(image.getPixelAt(60, 0), juce::Colour(0xff384452), 8)) << "outline";
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
