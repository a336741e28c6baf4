# Checks the built Windows module as a host and a bare Windows machine see it:
#   cmake -DMODULE=<.vst3 file> -DOBJDUMP=<objdump> -P CheckModule.cmake
# - it sits at Tarvolt.vst3/Contents/x86_64-win/Tarvolt.vst3 and is a 64-bit DLL;
# - it exports exactly GetPluginFactory, InitDll and ExitDll;
# - it imports only DLLs that every Windows installation has (no MinGW runtime, no zlib1.dll).
cmake_minimum_required(VERSION 3.22)

if(NOT MODULE MATCHES "/Tarvolt\\.vst3/Contents/x86_64-win/Tarvolt\\.vst3$")
    message(FATAL_ERROR "module is not at Tarvolt.vst3/Contents/x86_64-win/Tarvolt.vst3: ${MODULE}")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${MODULE}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${MODULE}")
endif()

if(NOT dump MATCHES "file format pei-x86-64")
    message(FATAL_ERROR "not a 64-bit Windows image")
endif()
if(NOT dump MATCHES "Characteristics [^\n]*\n(\t[^\n]*\n)*\tDLL\n")
    message(FATAL_ERROR "not a DLL")
endif()

# Exports are the lines "\t[   0] Name" after "[Ordinal/Name Pointer] Table"; imports the lines
# "\tDLL Name: name.dll".
string(REPLACE "\n" ";" lines "${dump}")
set(exports "")
set(imports "")
set(in_export_names FALSE)
foreach(line IN LISTS lines)
    if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
        set(in_export_names TRUE)
    elseif(in_export_names AND line MATCHES "^\t\\[ *[0-9]+\\] (.+)$")
        list(APPEND exports "${CMAKE_MATCH_1}")
    else()
        set(in_export_names FALSE)
    endif()
    if(line MATCHES "^\tDLL Name: (.+)$")
        list(APPEND imports "${CMAKE_MATCH_1}")
    endif()
endforeach()

list(SORT exports)
if(NOT exports STREQUAL "ExitDll;GetPluginFactory;InitDll")
    message(FATAL_ERROR "exports are [${exports}], expected exactly [ExitDll;GetPluginFactory;InitDll]")
endif()

set(system_dlls
    advapi32 comctl32 comdlg32 crypt32 d2d1 dwmapi dwrite dxgi gdi32 imm32 kernel32 msvcrt ole32
    oleaut32 opengl32 rpcrt4 setupapi shell32 shlwapi user32 uxtheme version wininet winmm ws2_32
    wsock32)
if(NOT imports)
    message(FATAL_ERROR "no imports found: objdump output not understood")
endif()
foreach(dll IN LISTS imports)
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    if(NOT name IN_LIST system_dlls AND NOT name MATCHES "^api-ms-win-")
        message(FATAL_ERROR "imports ${dll}, which is not a Windows system DLL")
    endif()
endforeach()
message(STATUS "exports: ${exports}; imports: ${imports}")
