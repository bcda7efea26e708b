// The settings sheet's texts built at run time (the controls' own labels live in the templates).
#pragma once

constexpr char kSettingsSheetCaption[] = "Melodrixの設定";
constexpr char kNoVolumeControlText[] = "(なし)";
constexpr char kAutomaticVolumeText[] = "自動検出";
constexpr char kWaveMapperText[] = "WAVE_MAPPER";
