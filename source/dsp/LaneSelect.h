#pragma once

#include <juce_dsp/juce_dsp.h>

// Lane-wise choice between two registers of the framework's SIMD type: a where the mask is
// set, b elsewhere (bit operations only, so the chosen values pass unchanged).
template <typename Element>
forcedinline juce::dsp::SIMDRegister<Element> selectLanes(typename juce::dsp::SIMDRegister<Element>::vMaskType mask,
                                                          juce::dsp::SIMDRegister<Element> a,
                                                          juce::dsp::SIMDRegister<Element> b) noexcept
{
    using Register = juce::dsp::SIMDRegister<Element>;
    return Register::fromNative(Register::NativeOps::bit_or((a & mask).value, (b & ~mask).value));
}
