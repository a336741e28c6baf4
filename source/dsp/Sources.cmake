target_sources(Tarvolt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TransientShaper.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EnvelopePass.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HalfbandFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OversampledPath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OversampledFollowers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CeilingRide.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShapingKernels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveFeed.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveReduction.cpp)

# The block path's loops only vectorise when the compiler may compute both sides of a choice
# and keep one, which it refuses while it must assume that float operations can trap. Tarvolt
# never unmasks floating-point exceptions, so that assumption is dropped for these files. This is
# not -ffast-math: NaN, infinities and signed zeros keep their meaning.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ShapingKernels.cpp ${CMAKE_CURRENT_LIST_DIR}/EnvelopePass.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TransientShaper.cpp ${CMAKE_CURRENT_LIST_DIR}/OversampledPath.cpp
        ${CMAKE_CURRENT_LIST_DIR}/OversampledFollowers.cpp ${CMAKE_CURRENT_LIST_DIR}/CeilingRide.cpp
        ${CMAKE_CURRENT_LIST_DIR}/HalfbandFilter.cpp ${CMAKE_CURRENT_LIST_DIR}/LiveReduction.cpp
        PROPERTIES COMPILE_OPTIONS -fno-trapping-math)
endif()

# The kernels' smallest and largest values are reductions whose order does not matter, which the
# compiler may only vectorise as such when told so: ShapingKernels.cpp marks those loops with
# OpenMP's simd reductions. -fopenmp-simd reads those marks and nothing else of OpenMP (no
# threads, no runtime library).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/ShapingKernels.cpp APPEND PROPERTY COMPILE_OPTIONS -fopenmp-simd)
endif()
