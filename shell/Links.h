// The maker's web addresses, named in the endings and behind "Visit".
#pragma once

inline constexpr const char* kMakerDomain = "thornvale-adventures.example";
inline constexpr const char* kSoftwarePage = "http://www.thornvale-adventures.example/index.php/software/";
inline constexpr const char* kCompletionSite = "http://www.thornvale-adventures.example";
inline constexpr const char* kDeathSite = "http://games.roamling-studio.example";
inline constexpr const char* kReadmeFile = "Thornvale_Readme.pdf";
