# Compiler flags shared by every target of both builds.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-Wall -Wextra)

# Sources are UTF-8; every narrow literal lands in the binary as Shift-JIS.
# clang only knows UTF-8 as execution charset, so its fuzz build keeps UTF-8 literals.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
endif()

if(WIN32)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
    add_link_options(-static -static-libgcc -static-libstdc++)
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
    # Every program lands in bin/, where the tests find Melodrix.exe and its companions.
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

# Native sanitizer flags are applied per target so that benchmarks can be built without them.
set(MX_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# mx_portable_library(NAME SOURCES...): a library of files that need no Win32.
# Natively it is built twice: NAME with the sanitizers (tests, tools) and NAME_fast without
# them (benchmarks). On Windows it is built once as NAME.
function(mx_portable_library name)
    set(sources ${ARGN})
    if(NOT sources)
        # A library whose files have not arrived yet still configures.
        set(sources ${PROJECT_SOURCE_DIR}/cmake/Empty.cpp)
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    if(MX_FUZZ_ONLY)
        target_compile_options(${name} PUBLIC -fsanitize=fuzzer-no-link,address,undefined -g -O1)
        target_link_options(${name} PUBLIC -fsanitize=address,undefined)
    elseif(NOT WIN32)
        target_compile_options(${name} PUBLIC ${MX_SANITIZE_FLAGS})
        target_link_options(${name} PUBLIC ${MX_SANITIZE_FLAGS})
        add_library(${name}_fast STATIC ${sources})
        target_include_directories(${name}_fast PUBLIC ${PROJECT_SOURCE_DIR})
        target_compile_options(${name}_fast PRIVATE -O2)
    endif()
endfunction()

# mx_link_fast(TARGET LIBS...): links TARGET with the unsanitized twins of LIBS.
function(mx_link_fast target)
    foreach(lib ${ARGN})
        target_link_libraries(${target} PRIVATE ${lib}_fast)
    endforeach()
endfunction()

# mx_win_library(NAME SOURCES...): a library of Win32 edge files (Windows build only).
function(mx_win_library name)
    set(sources ${ARGN})
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/Empty.cpp)
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# mx_system_default(TARGET WIN32 file NATIVE file): adds the file that provides a seam's default
# implementation in this build (the Win32 one, or the native one) to a portable library.
function(mx_system_default target)
    cmake_parse_arguments(ARG "" "WIN32;NATIVE" "" ${ARGN})
    if(WIN32)
        target_sources(${target} PRIVATE ${ARG_WIN32})
    else()
        target_sources(${target} PRIVATE ${ARG_NATIVE})
        if(TARGET ${target}_fast)
            target_sources(${target}_fast PRIVATE ${ARG_NATIVE})
        endif()
    endif()
endfunction()
