target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DialogLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IconButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuBarLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetMenu.cpp)
