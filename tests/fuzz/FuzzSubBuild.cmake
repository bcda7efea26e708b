# The libFuzzer targets need clang; they are built by a sub-build of this same project
# configured with clang and MX_FUZZ_ONLY, and each gets a short smoke run in ctest.
include(ExternalProject)
find_program(MX_CLANGXX clang++ REQUIRED)
find_program(MX_CLANG clang REQUIRED)
set(MX_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz-build)
ExternalProject_Add(mx_fuzzers
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${MX_FUZZ_BINARY_DIR}
    CMAKE_ARGS -DMX_FUZZ_ONLY=ON -DCMAKE_CXX_COMPILER=${MX_CLANGXX} -DCMAKE_C_COMPILER=${MX_CLANG}
               -DCMAKE_BUILD_TYPE=RelWithDebInfo -G ${CMAKE_GENERATOR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
)
# The list of targets lives in tests/fuzz/Targets.cmake so both builds agree on it.
include(${CMAKE_CURRENT_LIST_DIR}/Targets.cmake)
foreach(target ${MX_FUZZ_TARGETS})
    add_test(NAME fuzz.${target}
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/smoke.sh ${MX_FUZZ_BINARY_DIR}/tests/fuzz/${target}
                ${PROJECT_SOURCE_DIR}/tests/data/fuzz/${target} 10)
endforeach()
