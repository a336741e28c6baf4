# What the framework does not offer and the rooms above need: JuceCompat.h (headers only) and the
# window system's keyboard focus.
target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/NativeKeyboardFocus.cpp)
