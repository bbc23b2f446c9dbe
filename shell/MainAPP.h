#pragma once

#include "framework/Framework.h"

#include <cstdint>
#include <string>

// Ends the story after every move, look, fight and the like.
inline constexpr const char* kWhatNowPrompt = "WHAT DO YOU WANT TO DO? ";

// The application object: holds the shared game state and reacts to every
// event of the window, the timer and the system.
class MainAPP {
public:
    MainAPP();

    TTimer timer;
    uint16_t currentRm = 0;  // 0 once the exit has been reached
    uint16_t currentSection = 0;
    std::string storyIntro;
    std::string basicHelp;  // stored only: the game has no typed input
    int32_t localPlayerID = 1;
    uint8_t playerDead = 0;

    int Init();
    static TEvent* eventhook(int id, TEvent* data, void* context);
    int displayWhatNow();
    int OnEvent(const TEvent& event);
    int DoGameOver(const std::string& reason);
};
