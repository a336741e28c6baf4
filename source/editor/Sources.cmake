# The editor's sources.
target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DialogLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayResolution.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditableValueLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditorSize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IconButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LevelMeterPainter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveDisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveHistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LivePlot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuBarLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MeterModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NameEntryDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PanelLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PowerButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetDialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RotaryKnobLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SignalDisplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TarvoltAudioProcessorEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TarvoltGUI.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToggleButtonLookAndFeel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValueText.cpp)
