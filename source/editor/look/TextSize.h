#pragma once

#include <algorithm>

// The least height of any text the editor draws, in logical pixels: below it a text cannot be
// read on a normal display. Texts scale with the panel from their height on the reference panel
// but never shrink below this; a small panel shows less rather than smaller text.
inline constexpr float minimumTextHeight = 9.0f;

// A text's font height on a panel of this scale (PanelLayout::scale), from its height on the
// reference panel.
inline float textHeight(float referenceHeight, float scale) noexcept
{
    return std::max(minimumTextHeight, referenceHeight * scale);
}
