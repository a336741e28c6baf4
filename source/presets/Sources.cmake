target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ProcessorState.cpp)
