# Each room lists its own sources. The rooms, from the ground up: dsp (the shaper), state (the
# parameters, presets and saved state), editor, plugin (the processor shell; the LV2 wrapper is
# added by cmake/Lv2Bundle.cmake); under them all, compat (what the framework lacks).
include(${CMAKE_CURRENT_LIST_DIR}/compat/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/dsp/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/state/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/editor/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/plugin/Sources.cmake)
