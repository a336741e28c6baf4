# Debian's framework (JUCE 7.0.5) describes the choices of a choice parameter in the LV2 bundle
# with normalised values (0, 0.5, 1), while the parameter's range and the values hosts send
# are the plain indices 0..2: a host offering "Punch" would send 0.5 and get "Tight". This
# rewrites the scale points of three-way choices as their indices, after the framework's helper
# has written the description.
#   cmake -DTTL=<bundle>/dsp.ttl -P FixLv2ChoiceValues.cmake
file(READ "${TTL}" text)
set(line "[^\n]*\n")
string(REGEX REPLACE
    "(lv2:maximum 2${line}${line}${line}${line}[^\n]*rdf:value )0( ;\n${line}${line}[^\n]*rdf:value )0\\.5( ;\n${line}${line}[^\n]*rdf:value )1( ;)"
    "\\10\\21\\32\\4" fixed "${text}")
if(NOT fixed STREQUAL text)
    file(WRITE "${TTL}" "${fixed}")
endif()
