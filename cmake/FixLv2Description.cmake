# Mends two faults of the LV2 description that Debian's framework (JUCE 7.0.5) writes, after its
# helper has written it:
# - it describes the choices of a choice parameter with normalised values (0, 0.5, 1), while
#   the parameter's range and the values hosts send are the plain indices 0..2: a host offering
#   "Punch" would send 0.5 and get "Tight". The scale points of three-way choices become indices.
# - an empty vendor e-mail becomes "foaf:mbox <>", which hosts resolve to the description file
#   itself. The empty entry is dropped.
#   cmake -DTTL=<bundle>/dsp.ttl -P FixLv2Description.cmake
file(READ "${TTL}" text)
set(line "[^\n]*\n")
string(REGEX REPLACE
    "(lv2:maximum 2${line}${line}${line}${line}[^\n]*rdf:value )0( ;\n${line}${line}[^\n]*rdf:value )0\\.5( ;\n${line}${line}[^\n]*rdf:value )1( ;)"
    "\\10\\21\\32\\4" fixed "${text}")
string(REGEX REPLACE "\n[ \t]*foaf:mbox <> ;" "" fixed "${fixed}")
if(NOT fixed STREQUAL text)
    file(WRITE "${TTL}" "${fixed}")
endif()
