#include "panel/window/panel_keys.h"

#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"
#include "panel/link/panel_answers.h"
#include "panel/link/protocol_settings.h"

namespace panel {

namespace {

PanelKeys g_keys{};

struct Button {
  int32_t id;
  tagAREARECT rect;
};

// The first button area containing the point; its id and rectangle are copied out at once.
bool FindButtonAt(tagLISTPOINT point, Button* button) {
  tagRLISTHEAD* areas = GetRectList();
  if (areas == nullptr) return false;
  const tagRECTPROP* found = FindRect(areas, point);
  if (found == nullptr) return false;
  *button = Button{found->id, found->rect};
  return true;
}

void KeyClick() {
  if (GetKeyClickWord() == kKeyClickOn) PlatformBeep(kBeepFrequencyHz, kBeepDurationMs);
}

}  // namespace

PanelKeys& GetPanelKeys() { return g_keys; }

void ResetPanelKeys() { g_keys = PanelKeys{}; }

void RememberPressPoint(tagLISTPOINT point) { g_keys.press_point = point; }

ButtonPress PressButton(tagLISTPOINT point, bool ctrl_down, const ButtonFoundHook& hook) {
  ButtonPress press{false, tagAREARECT{}, LatchEdge::kNone};
  Button button;
  if (!FindButtonAt(point, &button)) return press;
  press.on_button = true;
  press.rect = button.rect;
  g_keys.button_held = 1;
  if (hook.found != nullptr) hook.found(hook.context);
  KeyClick();
  if (ctrl_down) {
    if ((g_keys.latch_mask & button.id) != 0) {
      g_keys.latch_mask = static_cast<uint16_t>(g_keys.latch_mask & ~button.id);
      g_keys.key_state &= ~button.id;
      press.edge = LatchEdge::kErase;
    } else {
      g_keys.latch_mask = static_cast<uint16_t>(g_keys.latch_mask | button.id);
      g_keys.key_state |= button.id;
      press.edge = LatchEdge::kDrawSunken;
    }
  } else {
    // The edges of buttons latched before stay on the window until the next repaint.
    g_keys.latch_mask = 0;
    g_keys.key_state |= button.id;
  }
  SendKeyState(g_keys.key_state);
  return press;
}

void ReleaseButton(bool ctrl_down) {
  g_keys.button_held = 0;
  Button button;
  if (ctrl_down || !FindButtonAt(g_keys.press_point, &button)) return;
  g_keys.key_state &= ~button.id;
  SendKeyState(g_keys.key_state);
}

bool ReleaseHeldButton() {
  if (g_keys.button_held == 0) return false;
  ReleaseButton(false);
  return true;
}

bool ReleaseLatchedButtons(RepaintArea repaint, void* context) {
  if (g_keys.latch_mask == 0) return false;
  tagRLISTHEAD* areas = GetRectList();
  // Walked without the lock: the area list changes only on this (the UI) thread.
  for (tagRECTNODE* node = areas != nullptr ? areas->first : nullptr; node != nullptr;
       node = node->next) {
    const tagRECTPROP* area = node->record;
    if (area == nullptr || (area->id & g_keys.latch_mask) == 0) continue;
    if (repaint != nullptr) repaint(context, area->rect);
    g_keys.key_state &= ~area->id;
  }
  SendKeyState(g_keys.key_state);
  g_keys.latch_mask = 0;
  return true;
}

void SendKeyState(int32_t key_state) {
  if (key_state < 0) {
    MonitorLine(kTxMonitor, "%s", kNoValidKeyCodeLine);
    return;
  }
  QueueKeyFrame(static_cast<uint32_t>(key_state));
}

}  // namespace panel
