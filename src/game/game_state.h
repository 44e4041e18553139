#pragma once
// Game states the frame cycle itself knows about; the others belong to the
// title flow.
namespace tetsuro {

enum GameState : int {
    STATE_BOOT = 0,
    STATE_LOAD_RESOURCE = 1,
    STATE_TITLE = 2,
    STATE_PLAY = 21,
    STATE_STAGE_CLEAR = 22,
    STATE_COUNT = 24
};

// Commands the frame cycle starts itself.
inline constexpr int CMD_ASK_SAVE_ON_EXIT = 7010;

}  // namespace tetsuro
