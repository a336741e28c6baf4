# The 64-bit Windows build, cross-compiled with MinGW-w64 (cmake/toolchains/x86_64-w64-mingw32.cmake)
# and tested under wine. Included by the top-level CMakeLists.txt before the framework is found;
# tarvolt_windows_package_plugin() finishes the plug-in target once it exists.
#
#   TARVOLT_WINDOWS_DEPS   prefix with the Windows static libpng, libjpeg and GoogleTest
#                          (printed by scripts/windows/build-deps.sh)
#   TARVOLT_WINE_PREFIX    the private wine prefix the cross-built programs run in

set(TARVOLT_WINDOWS_DEPS "" CACHE PATH
    "Prefix of the Windows static libraries built by scripts/windows/build-deps.sh")
if(NOT EXISTS "${TARVOLT_WINDOWS_DEPS}/.complete")
    message(FATAL_ERROR
        "The Windows build needs its third-party libraries: configure with "
        "-DTARVOLT_WINDOWS_DEPS=$(scripts/windows/build-deps.sh), or use scripts/windows/test.sh")
endif()
if(NOT TARVOLT_WINDOWS_DEPS STREQUAL _TARVOLT_WINDOWS_DEPS_FOUND_IN)
    # Another prefix (new library versions or build recipe): forget what the last one held.
    foreach(found PNG_LIBRARY_RELEASE PNG_LIBRARY_DEBUG PNG_PNG_INCLUDE_DIR
                  JPEG_LIBRARY_RELEASE JPEG_LIBRARY_DEBUG JPEG_INCLUDE_DIR GTest_DIR)
        unset(${found} CACHE)
    endforeach()
    set(_TARVOLT_WINDOWS_DEPS_FOUND_IN "${TARVOLT_WINDOWS_DEPS}" CACHE INTERNAL "")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${TARVOLT_WINDOWS_DEPS}")
# Static archives only (libz.a, not the import library of zlib1.dll), so the module needs
# nothing but Windows' own DLLs.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# The framework's CMake package belongs to the build machine: its helper juceaide runs there.
if(NOT JUCE_DIR)
    file(GLOB _tarvolt_juce_dirs LIST_DIRECTORIES true
        /usr/lib/*/cmake/JUCE-* /usr/lib/cmake/JUCE-* /usr/local/lib/cmake/JUCE-*)
    if(NOT _tarvolt_juce_dirs)
        message(FATAL_ERROR "The framework's CMake package (juce-modules-source) is not installed")
    endif()
    list(GET _tarvolt_juce_dirs 0 _tarvolt_juce_dir)
    set(JUCE_DIR "${_tarvolt_juce_dir}" CACHE PATH "The framework's CMake package on the build machine")
endif()

set(TARVOLT_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine-prefix" CACHE PATH
    "Wine prefix in which the cross-built programs run")
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${PROJECT_SOURCE_DIR}/scripts/windows/wine-run.sh;--prefix;${TARVOLT_WINE_PREFIX}")

# Benchmarks are measured on the build machine, not under an emulator.
set(TARVOLT_BUILD_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)

find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

# Links the image libraries the framework expects from the system and gives the VST3 module
# its Windows version resource (company, product, description and version).
function(tarvolt_windows_package_plugin plugin)
    target_link_libraries(${plugin} PRIVATE PNG::PNG JPEG::JPEG)

    get_target_property(info_file ${plugin} JUCE_INFO_FILE)
    get_target_property(generated ${plugin} JUCE_GENERATED_SOURCES_DIRECTORY)
    set(rc_file "${generated}/VersionInfo.rc")
    add_custom_command(OUTPUT "${rc_file}"
        COMMAND juce::juceaide rcfile "${info_file}" "${rc_file}"
        DEPENDS "${info_file}"
        VERBATIM)
    target_sources(${plugin}_VST3 PRIVATE "${rc_file}")

    # The shipped module carries no symbols (the static runtime libraries bring debug sections).
    target_link_options(${plugin}_VST3 PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
