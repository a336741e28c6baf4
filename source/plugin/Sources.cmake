# The processor shell. The LV2 wrapper (lv2/) is built by cmake/Lv2Bundle.cmake; identity values
# are build settings of juce_add_plugin in the top-level CMakeLists.txt.
target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TarvoltAudioProcessor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BlockProcessing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HostPrograms.cpp)
