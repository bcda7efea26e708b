# Gathers the distribution folder and its zip from the Windows build's bin/ (cmake -P):
#   BIN   the build's bin/ (install.exe, Melodrix.exe, MxLib.dll, Uninst.exe, Melodrix.chm)
#   DIST  the distribution folder, made afresh
#   ZIP   the zip of DIST's files
#   DOCS  installer/dist: the read-me and the version history as UTF-8 text
#   STRIP the toolchain's strip: the programs travel without their debugging information
# The player and the uninstaller travel as .bin files; the installer gives them back their
# .exe names. The texts become Shift-JIS with CR LF line ends.
file(REMOVE_RECURSE ${DIST})
file(MAKE_DIRECTORY ${DIST})

function(copy_as from to)
    if(NOT EXISTS ${from})
        message(FATAL_ERROR "dist: ${from} is missing")
    endif()
    file(COPY_FILE ${from} ${DIST}/${to})
endfunction()

copy_as(${BIN}/install.exe install.exe)
copy_as(${BIN}/Melodrix.exe Melodrix.bin)
copy_as(${BIN}/MxLib.dll MxLib.dll)
copy_as(${BIN}/Uninst.exe Uninst.bin)

set(files install.exe Melodrix.bin MxLib.dll Uninst.bin)
if(STRIP)
    foreach(program ${files})
        execute_process(COMMAND ${STRIP} --strip-debug ${DIST}/${program} RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dist: ${program} could not be stripped")
        endif()
    endforeach()
endif()
if(EXISTS ${BIN}/Melodrix.chm)
    copy_as(${BIN}/Melodrix.chm Melodrix.chm)
    list(APPEND files Melodrix.chm)
else()
    message(WARNING "dist: ${BIN}/Melodrix.chm does not exist (no HTML Help compiler in this build), "
                    "so the distribution has NO help file; the installer will report it as missing.")
endif()

find_program(ICONV iconv REQUIRED)
foreach(text Melodrix.doc Melodrix.log)
    file(READ ${DOCS}/${text}.txt contents)
    string(REPLACE "\n" "\r\n" contents "${contents}")
    file(WRITE ${DIST}/${text}.utf8 "${contents}")
    execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${DIST}/${text}.utf8
        OUTPUT_FILE ${DIST}/${text} RESULT_VARIABLE failed)
    file(REMOVE ${DIST}/${text}.utf8)
    if(failed)
        message(FATAL_ERROR "dist: ${text} cannot be written in Shift-JIS")
    endif()
    list(APPEND files ${text})
endforeach()

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${files}
    WORKING_DIRECTORY ${DIST} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "dist: the zip could not be made")
endif()
file(SIZE ${ZIP} zipBytes)
message(STATUS "dist: ${DIST} and ${ZIP} (${zipBytes} bytes)")
