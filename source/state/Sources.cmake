target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationDataFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CurrentPreset.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FactoryPresets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IncomingParameterTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NoReplaceMove.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Parameters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PluginState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PluginStateBlob.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetName.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetOperations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplacingMove.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShaperSettingsFrom.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StateBlob.cpp)

# The preset folder on Windows comes from the shell (SHGetSpecialFolderPathW).
if(WIN32)
    target_link_libraries(Tarvolt PRIVATE shell32)
endif()
