// The audio devices the system reports, by name, for the settings pages' lists.
#pragma once

#include <string>
#include <vector>

#include "settingsui/SettingsPageRules.h"

// Aux devices, MIDI outputs and wave outputs, each with whether its volume can be set.
VolumeDevices ListVolumeDevices();
std::vector<std::string> WaveInDeviceNames();
std::vector<std::string> WaveOutDeviceNames();
