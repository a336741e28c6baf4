# Each folder lists its own sources.
include(${CMAKE_CURRENT_LIST_DIR}/processor/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/presets/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/editor/Sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/plugin/Sources.cmake)
