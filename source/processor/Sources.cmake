target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Parameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TarvoltAudioProcessor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BlockProcessing.cpp)
