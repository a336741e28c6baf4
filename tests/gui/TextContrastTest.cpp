// Every text the editor draws stands out from what it is drawn on: a contrast ratio of at least
// 4.5:1 as the web's accessibility rules (WCAG 2) compute it, from the palette's colours. A text
// with transparency is taken as it shows on its background; a gradient background at both ends.

#include "editor/look/Palette.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
double relativeLuminance(juce::Colour c)
{
    const auto channel = [](juce::uint8 v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.getRed()) + 0.7152 * channel(c.getGreen()) + 0.0722 * channel(c.getBlue());
}

double contrastRatio(juce::Colour text, juce::Colour background)
{
    const auto shown = background.overlaidWith(text);
    const double a = relativeLuminance(shown), b = relativeLuminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

struct TextOn
{
    const char* what;
    juce::Colour text, background;
};

void PrintTo(const TextOn& t, std::ostream* os)
{
    *os << t.what;
}

using namespace palette;
using namespace palette::panel;

// The lit selector's fill runs from the darkened accent, brightened, to it darkened further.
const juce::Colour litSelector = accent.darker(0.3f);

const TextOn texts[] = {
    // The panel's card: the title, the captions, the read-outs, the legend and the meters.
    {"title", title, card},
    {"title, power off", titleOff, card},
    {"subtitle", subtitle, card},
    {"subtitle, power off", subtitleOff, card},
    {"knob caption", knobCaption, card},
    {"knob caption, power off", knobCaptionOff, card},
    {"read-out", accentText, card},
    {"read-out while typing", readOutEditingText, readOutEditingBackground},
    {"group caption", groupCaption, card},
    {"group caption, power off", groupCaptionOff, card},
    {"meter caption", meterCaption, card},
    {"meter caption, power off", meterCaptionOff, card},
    {"meter scale", meterScaleText, card},
    {"meter peak", meterPeakText, card},
    {"meter over", meterOverText, meterOver},
    {"legend", legendText, card},
    {"read-out line", displayText, card},
    // The selectors, unlit (resting, hovered, pressed: each gradient's ends) and lit.
    {"selector", selectorText, selector.brighter(0.12f)},
    {"selector, hovered", selectorText, selectorHovered.brighter(0.12f)},
    {"selector, pressed", selectorText, selectorPressed.brighter(0.12f)},
    {"selector, lit (top)", selectorLitText, litSelector.brighter(0.12f)},
    {"selector, lit (bottom)", selectorLitText, litSelector.darker(0.15f)},
    // The display's dark plot: the axes, the clip onset's caption, "NO AUDIO".
    {"axis labels", displayText, plot},
    {"clip onset", clipLine, plot},
    {"gain axis", gainCurve, plot},
    // The menu bar, its menus and the dialogs.
    {"bar button", bar::buttonText, bar::buttonFill},
    {"bar button, hovered", bar::buttonText, bar::buttonFillHover},
    {"bar button, pressed", bar::buttonText, bar::buttonFillPressed},
    {"menu item", bar::menuText, bar::menuTop},
    {"menu item, highlighted", bar::menuHighlightedText, bar::menuTop.overlaidWith(bar::menuHighlight)},
    {"menu header", bar::menuHeaderText, bar::menuTop},
    {"dialog text", dialog::text, dialog::boxTop},
    {"dialog button", dialog::buttonText, bar::buttonFillPressed},
    {"dialog field", dialog::fieldText, dialog::fieldBackground},
};

class TextContrast : public ::testing::TestWithParam<TextOn>
{
};
} // namespace

TEST_P(TextContrast, AtLeastFourAndAHalfToOne)
{
    const auto& t = GetParam();
    EXPECT_GE(contrastRatio(t.text, t.background), 4.5) << t.text.toDisplayString(true) << " on "
                                                        << t.background.toDisplayString(true);
}

INSTANTIATE_TEST_SUITE_P(Palette, TextContrast, ::testing::ValuesIn(texts),
                         [](const ::testing::TestParamInfo<TextOn>& info) {
                             auto name = juce::String(info.param.what).retainCharacters(
                                 "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ ");
                             return name.replaceCharacter(' ', '_').toStdString();
                         });

// The check itself: black on white is 21:1, a colour on itself 1:1, and the selected selector's
// text before this look (the accent brightened on the darkened accent) fell short.
TEST(TextContrast, RatioOfKnownPairs)
{
    EXPECT_NEAR(contrastRatio(juce::Colours::black, juce::Colours::white), 21.0, 1.0e-9);
    EXPECT_NEAR(contrastRatio(card, card), 1.0, 1.0e-9);
    EXPECT_LT(contrastRatio(accent.brighter(0.2f), litSelector), 3.0);
    EXPECT_NEAR(contrastRatio(accent, card), 4.2, 0.05);
}
