# Identity values are build settings of juce_add_plugin in the top-level CMakeLists.txt.
target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/NativeKeyboardFocus.cpp)
