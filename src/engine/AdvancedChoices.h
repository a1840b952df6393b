#pragma once
// The fixed lists of the advanced choices: the Volume, DVDChapter and Speed
// settings are rows of these lists.
#include <array>

namespace engine {

// Row kOriginalVolumeRow leaves the volume unchanged; it is shown with the
// looked-up "Original" (section "MainDialog").
inline constexpr int kOriginalVolumeRow = 8;
inline constexpr std::array<const char*, 17> kVolumeRows = {
    "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "Original",
    "125%", "150%", "175%", "200%", "225%", "250%", "275%", "300%"};

inline constexpr std::array<const char*, 5> kDvdChapterRows = {
    "No Split Chapter", "10minutes/chapter", "15minutes/chapter", "20minutes/chapter", "30minutes/chapter"};

// Rows of app::EncodeSpeed, as the language files name them (section
// "AdvancedDialog"), and as the command line and avm's -speed name them.
inline constexpr int kBalancedSpeedRow = 1;
inline constexpr std::array<const char*, 3> kSpeedRows = {"Faster", "Balanced", "Better Quality"};
inline constexpr std::array<const char*, 3> kSpeedWords = {"faster", "balanced", "better"};

}  // namespace engine
