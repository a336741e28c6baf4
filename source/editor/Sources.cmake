# The editor's sources, by folder: the shell at the top, then its rooms (bar, controls,
# display, look, meters, panel).
target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EditorSize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyboardOwner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TarvoltEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/DialogLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/IconButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/MenuBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/MenuBarLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/NameEntryDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/PresetDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/PresetMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bar/SettingsMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/EditableValueLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/Knob.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/PowerButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/RotaryKnobLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/SelectorGroup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/SelectorLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/DisplayModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/DisplayResolution.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/LiveFeedReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/LiveHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/LivePlot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/LiveView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/ModelView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/PlotGeometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/SignalDisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/look/ResizeGripLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/meters/LevelMeter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/meters/MeterLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel/MainPanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel/PanelLayout.cpp)
