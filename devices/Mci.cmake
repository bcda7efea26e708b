# Playback devices through MCI (files and CD tracks) and the linked volume control.
# mx_mci holds the portable logic; the Win32 seams (MCI, volume functions, owner notification)
# live in mx_mci_win, which every Windows program using the devices links.
mx_portable_library(mx_mci
    ${CMAKE_CURRENT_LIST_DIR}/CdTime.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MciHandle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MciFileDevice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CdAudioDevice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceVolume.cpp
)
target_link_libraries(mx_mci PUBLIC mx_songfiles mx_songinfo mx_settings)

if(WIN32)
    mx_win_library(mx_mci_win
        ${CMAKE_CURRENT_LIST_DIR}/MciPort_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/VolumePort_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/OwnerNotifier_win.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TempFilePort_win.cpp
    )
    target_link_libraries(mx_mci_win PUBLIC mx_mci winmm user32)
else()
    # Natively the default seams refuse everything; the tests bring their own fakes.
    target_sources(mx_mci PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemPorts_native.cpp)
    if(TARGET mx_mci_fast)
        target_sources(mx_mci_fast PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SystemPorts_native.cpp)
    endif()
endif()
