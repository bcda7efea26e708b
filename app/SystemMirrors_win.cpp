// The portable code names the window system's numbers it needs without the system's headers;
// this file pins every such copy to the system's own definition, so a wrong copy fails the
// Windows build instead of misbehaving.
#include <windows.h>

#include <mmsystem.h>

#include <mmreg.h>

#include "app/MainWindowRules.h"
#include "app/MediaKeys.h"
#include "app/containers/WindowMessages.h"
#include "devices/MciPort.h"
#include "devices/MediaDevice.h"
#include "devices/MpegFrameHeader.h"
#include "devices/RiffWaveParser.h"
#include "ui/PanelLayout.h"

// Messages.
static_assert(kTimerMessage == WM_TIMER && kUserMessageBase == WM_USER, "window messages");
static_assert(kMciNotifyMessage == MM_MCINOTIFY && kNotifySuccessful == MCI_NOTIFY_SUCCESSFUL,
              "the devices' end-of-song notification is MCI's");

// Media keys.
static_assert(kAppCommandMediaNextTrack == APPCOMMAND_MEDIA_NEXTTRACK &&
                  kAppCommandMediaPreviousTrack == APPCOMMAND_MEDIA_PREVIOUSTRACK &&
                  kAppCommandMediaStop == APPCOMMAND_MEDIA_STOP && kAppCommandMediaPlayPause == APPCOMMAND_MEDIA_PLAY_PAUSE &&
                  kAppCommandMediaPlay == APPCOMMAND_MEDIA_PLAY && kAppCommandMediaPause == APPCOMMAND_MEDIA_PAUSE,
              "media key commands");
static_assert(kVirtualKeyMediaNextTrack == VK_MEDIA_NEXT_TRACK && kVirtualKeyMediaPreviousTrack == VK_MEDIA_PREV_TRACK &&
                  kVirtualKeyMediaStop == VK_MEDIA_STOP && kVirtualKeyMediaPlayPause == VK_MEDIA_PLAY_PAUSE,
              "media key virtual keys");

// Playback states and device kinds.
static_assert(kModeNotReady == MCI_MODE_NOT_READY && kModeStop == MCI_MODE_STOP && kModePlay == MCI_MODE_PLAY &&
                  kModeRecord == MCI_MODE_RECORD && kModeSeek == MCI_MODE_SEEK && kModePause == MCI_MODE_PAUSE &&
                  kModeOpen == MCI_MODE_OPEN,
              "playback states are MCI's modes");
static_assert(kDeviceTypeFirst == MCI_DEVTYPE_FIRST && kDeviceTypeCdAudio == MCI_DEVTYPE_CD_AUDIO &&
                  kDeviceTypeWaveAudio == MCI_DEVTYPE_WAVEFORM_AUDIO && kDeviceTypeSequencer == MCI_DEVTYPE_SEQUENCER &&
                  kDeviceTypeSequencer == MCI_DEVTYPE_LAST,
              "device kinds are MCI's device types");

// MCI commands' items.
static_assert(kMciFormatMilliseconds == MCI_FORMAT_MILLISECONDS && kMciFormatMsf == MCI_FORMAT_MSF &&
                  kMciFormatTmsf == MCI_FORMAT_TMSF && kMciFormatSongPointer == MCI_SEQ_FORMAT_SONGPTR,
              "time formats are passed to MCI unchanged");
static_assert(kMciStatusLength == MCI_STATUS_LENGTH && kMciStatusPosition == MCI_STATUS_POSITION &&
                  kMciStatusNumberOfTracks == MCI_STATUS_NUMBER_OF_TRACKS && kMciStatusMode == MCI_STATUS_MODE &&
                  kMciStatusMediaPresent == MCI_STATUS_MEDIA_PRESENT &&
                  kMciCapsDeviceType == MCI_GETDEVCAPS_DEVICE_TYPE,
              "status and capability items are passed to MCI unchanged");
static_assert(kMciUnsupported == MCIERR_UNSUPPORTED_FUNCTION, "the native port's refusal is an MCI error");

// Wave formats.
static_assert(kWaveFormatPcmTag == WAVE_FORMAT_PCM, "PCM's format tag");
static_assert(kMpegLayer3Tag == WAVE_FORMAT_MPEGLAYER3, "MPEG layer 3's format tag");

// Window frame and owner-drawn buttons.
static_assert(kHitClient == HTCLIENT && kHitLeft == HTLEFT && kHitRight == HTRIGHT && kHitTop == HTTOP &&
                  kHitTopLeft == HTTOPLEFT && kHitTopRight == HTTOPRIGHT && kHitBottom == HTBOTTOM &&
                  kHitBottomLeft == HTBOTTOMLEFT && kHitBottomRight == HTBOTTOMRIGHT,
              "hit-test codes");
static_assert(kItemSelected == ODS_SELECTED && kItemDisabled == ODS_DISABLED && kItemFocus == ODS_FOCUS,
              "owner-drawn item states");
