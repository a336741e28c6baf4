#pragma once

#include "dsp/ShaperSettings.h"
#include "state/ParameterValues.h"

// What the shaper processes a block with, from the parameters' plain values: each control's
// target as its parameter's audio value (ParameterSpec::audioValueOf), and the choices. The one
// place where parameters become the shaper's settings; the processor, the LV2 wrapper and the
// tests all go through it.
ShaperSettings shaperSettingsFrom(const ParameterValues& values) noexcept;
