# `cmake --install <build> --prefix <prefix>` lays Tarvolt out the way Linux hosts and
# distributions look for it:
#   <prefix>/lib/vst3/Tarvolt.vst3     <prefix>/lib/lv2/Tarvolt.lv2
#   <prefix>/bin/Tarvolt (standalone)  <prefix>/share/applications/tarvolt.desktop
include(GNUInstallDirs)

set(tarvolt_artefacts "$<TARGET_FILE_DIR:Tarvolt>")

install(DIRECTORY "${tarvolt_artefacts}/VST3/Tarvolt.vst3"
    DESTINATION lib/vst3 USE_SOURCE_PERMISSIONS COMPONENT plugins)
install(DIRECTORY "${tarvolt_artefacts}/LV2/Tarvolt.lv2"
    DESTINATION lib/lv2 USE_SOURCE_PERMISSIONS COMPONENT plugins)
install(TARGETS Tarvolt_Standalone RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT standalone)
if(UNIX AND NOT APPLE)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/tarvolt.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT standalone)
endif()
