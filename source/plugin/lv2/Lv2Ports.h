#pragma once

#include "state/Parameters.h"

#include <cstdint>

// The LV2 plug-in's ports: a stereo pair of audio ports in and out (the right ones optional,
// so a mono track connects the left ones only), then one control input per parameter, in the
// parameter table's order, then a control output that reports the latency in samples, then the
// host's bypass switch (a control input designated lv2:enabled: 1 plays, 0 bypasses). New ports
// come last, so that the indices hosts have stored stay.
namespace Lv2Ports
{
inline constexpr uint32_t audioInLeft = 0;
inline constexpr uint32_t audioInRight = 1;
inline constexpr uint32_t audioOutLeft = 2;
inline constexpr uint32_t audioOutRight = 3;
inline constexpr uint32_t firstControl = 4;
inline constexpr uint32_t numControls = (uint32_t)parameterSpecs.size();
inline constexpr uint32_t latency = firstControl + numControls;
inline constexpr uint32_t enabled = latency + 1;
inline constexpr uint32_t count = enabled + 1;

// Where the wrapper keeps the plug-in's state blob in the host's LV2 state.
inline constexpr const char* stateKeySuffix = "#state";
} // namespace Lv2Ports
