# Tarvolt.lv2: the module (Tarvolt_LV2, built from the shared code library like the other
# formats) and the description files a build step writes next to it from the parameter table.
# Output: Tarvolt_artefacts/<config>/LV2/Tarvolt.lv2/{libTarvolt.so,manifest.ttl,Tarvolt.ttl,presets.ttl}

find_package(PkgConfig REQUIRED)
pkg_check_modules(LV2 REQUIRED IMPORTED_TARGET lv2)

set(tarvolt_lv2_source "${CMAKE_CURRENT_SOURCE_DIR}/source/plugin/lv2")

# The instance and the description live in the shared code, where the tests reach them.
target_sources(Tarvolt PRIVATE
    "${tarvolt_lv2_source}/Lv2Description.cpp"
    "${tarvolt_lv2_source}/Lv2Descriptor.cpp"
    "${tarvolt_lv2_source}/Lv2Instance.cpp")
target_link_libraries(Tarvolt PUBLIC PkgConfig::LV2)

add_executable(tarvolt_lv2_description "${tarvolt_lv2_source}/WriteBundleFiles.cpp")
target_link_libraries(tarvolt_lv2_description PRIVATE Tarvolt::core)

add_library(Tarvolt_LV2 MODULE "${tarvolt_lv2_source}/Lv2Entry.cpp")
target_link_libraries(Tarvolt_LV2 PRIVATE Tarvolt::core)
set_target_properties(Tarvolt_LV2 PROPERTIES
    OUTPUT_NAME Tarvolt
    PREFIX lib
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/Tarvolt_artefacts/$<CONFIG>/LV2/Tarvolt.lv2")
# A symbol the module lacks fails the link rather than the host's load.
target_link_options(Tarvolt_LV2 PRIVATE -Wl,--no-undefined)
add_custom_command(TARGET Tarvolt_LV2 POST_BUILD
    COMMAND tarvolt_lv2_description "$<TARGET_FILE_DIR:Tarvolt_LV2>" "$<TARGET_FILE_NAME:Tarvolt_LV2>"
    VERBATIM)
