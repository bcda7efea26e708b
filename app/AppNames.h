// Names other programs and later starts rely on: the mutex, the window classes, the caption.
#pragma once

constexpr char kBootCheckMutexName[] = "Melodrix2_BootCheck_Mutex";
constexpr char kMainWindowClass[] = "Melodrix32";
constexpr char kMainWindowCaption[] = "Melodrix";
