# The own WAVE/MP3 stream player: the portable parsers and arithmetic, and the Win32 device.
mx_portable_library(mx_stream
    ${CMAKE_CURRENT_LIST_DIR}/RiffWaveParser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MpegFrameHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MpegDuration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StreamLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StreamTimeline.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveFormatCheck.cpp
)

if(WIN32)
    mx_win_library(mx_stream_win
        ${CMAKE_CURRENT_LIST_DIR}/UnbufferedFileReader_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/StreamThread_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WaveFileDevice_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Mp3FileDevice_win.cpp
    )
    target_link_libraries(mx_stream_win PUBLIC mx_stream mx_settings winmm msacm32)
endif()
