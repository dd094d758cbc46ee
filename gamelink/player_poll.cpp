#include "gamelink/player_poll.h"

#include <string>

#include "app/map_state.h"
#include "app/number_text.h"
#include "dialogs/dialog_layer.h"
#include "gamelink/player_state.h"
#include "gamelink/process_access.h"
#include "mapview/map_view.h"

uint32_t processId = 0;
uint32_t baseAddress = 0;

namespace {

// Where the game keeps the party: a pointer at a fixed address, the record's address 12 bytes
// into what it points at, and one byte each for the level, the cell and the facing.
constexpr uint32_t kGamePointer = 0x00A720C0;
constexpr uint32_t kRecordPointerOffset = 12;
constexpr uint32_t kLevelOffset = 162;
constexpr uint32_t kXOffset = 164;
constexpr uint32_t kYOffset = 166;
constexpr uint32_t kFacingOffset = 5372;

// The game is looked for again while the party has not been seen away from cell 0, 0: before it
// is found, and after it has gone (every read then gives 0).
void DiscoverGame() {
    processId = FindProcessByName("vorkal.exe");
    uint32_t pointer = static_cast<uint32_t>(ReadProcessValue(processId, kGamePointer, 4));
    baseAddress = static_cast<uint32_t>(ReadProcessValue(processId, pointer + kRecordPointerOffset, 4));
}

// Brings a read-out up to date. The read-outs show the latest values after every tick, but a text a
// read-out already shows is not written again: that would change nothing on screen and cost a
// full WM_SETTEXT (the edit lays out and repaints), three per tick, four times a second.
void ShowReadout(HWND window, int id, const std::string& text) {
    if (GetControlText(window, id) != text) {
        SetControlText(window, id, text);
    }
}

}  // namespace

void PollPlayerState(HWND window) {
    if (playerState.x == 0 && playerState.y == 0) {
        DiscoverGame();
    }
    playerState.level = ReadProcessValue(processId, baseAddress + kLevelOffset, 1);
    playerState.x = ReadProcessValue(processId, baseAddress + kXOffset, 1);
    playerState.y = ReadProcessValue(processId, baseAddress + kYOffset, 1);
    playerState.facing = ReadProcessValue(processId, baseAddress + kFacingOffset, 1);

    ShowReadout(window, kXReadout, TextFromNumber(playerState.x, kNumberDigits));
    ShowReadout(window, kYReadout, TextFromNumber(playerState.y, kNumberDigits));
    if (playerState.level != 0) {
        ShowReadout(window, kLevelReadout, TextFromNumber(playerState.level, kNumberDigits));
        EnableControl(window, kZoomSlider);
    } else {
        ShowReadout(window, kLevelReadout, "Town");
        DisableControl(window, kZoomSlider);
    }
    int alternate = GetCheckState(window, kAlternateSetBox);
    if (playerState.level != lastShownLevel) {
        ShowMapOfLevel(window, alternate);
    }
    PlaceArrow();
}
