#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A menu-bar button that draws itself: a caption centred on a dark rounded body, or, with an
// empty caption, an icon in a hover circle.
class IconButton : public juce::Button
{
public:
    enum IconKind
    {
        noIcon = 0,
        gearIcon = 1
    };

    explicit IconButton(const juce::String& buttonName);

    void setCaption(const juce::String& newCaption);
    const juce::String& getCaption() const noexcept { return caption; }

    void setIconKind(int kind);

    // Draws the icon in a box of the given size instead of one that follows the button.
    void setFixedIconSize(float width, float height);

    void paintButton(juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    void paintCaption(juce::Graphics&, bool isOver, bool isDown);
    void paintIcon(juce::Graphics&, bool isOver, bool isDown);

    static constexpr int captionMargin = 6; // pixels kept free left and right of the caption

    juce::String caption;
    int iconKind = noIcon;
    bool fixedIconSize = false;
    float iconBoxWidth = 0.0f, iconBoxHeight = 0.0f;
};
