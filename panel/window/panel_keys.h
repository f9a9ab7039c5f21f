// The panel's buttons as the mouse and the keyboard work them: the key state that every key
// frame carries, the buttons latched with the Ctrl key, and the press point. Portable: the
// window hands in points and the Ctrl state, and draws or erases the sunken edges this returns.
// Everything here runs on the UI thread.
#pragma once

#include <cstdint>

#include "panel/core/data_lists.h"

namespace panel {

// The TX monitor line for a key state that no key frame can carry (bit 31 set).
constexpr char kNoValidKeyCodeLine[] = "No Valid Key Code Found\r\n";

struct PanelKeys {
  int32_t key_state;         // OR of the ids of all pressed button areas; sent in every key frame
  uint16_t latch_mask;       // ids (low 16 bits) of the buttons held pressed with the Ctrl key
  tagLISTPOINT press_point;  // client position of the last left-button press
  uint8_t button_held;       // 1 from a press on a button until the release of the mouse button
};

PanelKeys& GetPanelKeys();
// Nothing pressed, nothing latched, press point (0, 0).
void ResetPanelKeys();

// What a press did to the sunken edge of a latched button.
enum class LatchEdge : uint8_t {
  kNone,        // pressed without Ctrl: no edge
  kDrawSunken,  // latched: draw the sunken edge
  kErase,       // a latched button released with Ctrl: repaint its rectangle
};

struct ButtonPress {
  bool on_button;    // false: no button area at the point, nothing changed
  tagAREARECT rect;  // the pressed button's rectangle
  LatchEdge edge;
};

// Remembered at every left-button press, in every mode, before anything else.
void RememberPressPoint(tagLISTPOINT point);

// Runs once a press has found its button, before the key click: the window takes the mouse
// capture there, so that a release during the click's beep still reaches it.
struct ButtonFoundHook {
  void (*found)(void* context);
  void* context;
};

// Left button down at `point` (outside designer mode): the first button area there, the hook,
// the key click, the Ctrl latch (second Ctrl press releases) and the key frame of the new key
// state.
ButtonPress PressButton(tagLISTPOINT point, bool ctrl_down,
                        const ButtonFoundHook& hook = ButtonFoundHook{nullptr, nullptr});

// Left button up: releases the button under the press point (not the release point) and sends
// the key state; with Ctrl down, or without a button there, nothing happens.
void ReleaseButton(bool ctrl_down);

// The option word changes while a button is held with the mouse: the mouse button's release
// may never come back here (designer mode takes it), so the button is released now, as a release
// without Ctrl. Returns false (and does nothing) when no button is held.
bool ReleaseHeldButton();

// Any key released but F1 while buttons are latched: every area whose id shares a bit with the
// latch mask is repainted through `repaint` and leaves the key state; one key frame follows and
// the latch mask is cleared. Returns false (and does nothing) when nothing was latched.
using RepaintArea = void (*)(void* context, const tagAREARECT& rect);
bool ReleaseLatchedButtons(RepaintArea repaint, void* context);

// Queues the key frame "@K" + (0x41 + key state) + CR on the TX list, or for a negative key
// state writes kNoValidKeyCodeLine to the TX monitor and queues nothing.
void SendKeyState(int32_t key_state);

}  // namespace panel
