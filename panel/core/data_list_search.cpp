// Searches over the area list and the LCD list, under the area list lock. The record found is
// returned after the lock is released; the lists change only on the UI thread, which is also the
// thread that searches them. Another thread copies a button's name instead (CopyRectNameById).
#include <cstdlib>
#include <cstring>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace panel::data_list_detail;

namespace {

// Right and bottom edges are outside, as for a Windows RECT.
bool Contains(const tagAREARECT& rect, tagLISTPOINT point) {
  return rect.left <= point.x && point.x < rect.right && rect.top <= point.y && point.y < rect.bottom;
}

// First area record for which `matches` holds, or null.
template <class Match>
tagRECTPROP* FirstArea(tagRLISTHEAD* list, Match matches) {
  if (list == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(AreaListLock());
  for (tagRECTNODE* node = list->first; node != nullptr; node = node->next) {
    if (node->record != nullptr && matches(*node->record)) return node->record;
  }
  return nullptr;
}

template <class Match>
tagLCDPROP* FirstLcd(tagLCDLISTHEAD* list, Match matches) {
  if (list == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(AreaListLock());
  for (tagLCDNODE* node = list->first; node != nullptr; node = node->next) {
    if (node->record != nullptr && matches(*node)) return node->record;
  }
  return nullptr;
}

// The name of the first area of `kind` with that id, copied under the area list lock.
int CopyAreaNameById(tagRLISTHEAD* list, uint32_t kind, int32_t id, char* buffer, int32_t size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (list == nullptr) return 0;
  std::lock_guard<std::mutex> guard(AreaListLock());
  for (tagRECTNODE* node = list->first; node != nullptr; node = node->next) {
    const tagRECTPROP* area = node->record;
    if (area == nullptr || area->kind != kind || area->id != id) continue;
    if (area->name == nullptr) return 0;
    int32_t length = 0;
    while (length < size - 1 && area->name[length] != '\0') {
      buffer[length] = area->name[length];
      ++length;
    }
    buffer[length] = '\0';
    return 1;
  }
  return 0;
}

}  // namespace

extern "C" {

tagRECTPROP* FindRect(tagRLISTHEAD* list, tagLISTPOINT point) {
  return FirstArea(list, [point](const tagRECTPROP& area) {
    return area.kind == kRectKindButton && Contains(area.rect, point);
  });
}

tagRECTPROP* FindRectById(tagRLISTHEAD* list, int32_t id) {
  return FirstArea(list, [id](const tagRECTPROP& area) {
    return area.kind == kRectKindButton && area.id == id;
  });
}

tagRECTPROP* FindEllipse(tagRLISTHEAD* list, tagLISTPOINT point) {
  return FirstArea(list, [point](const tagRECTPROP& area) {
    return area.kind == kRectKindLed && Contains(area.rect, point);
  });
}

tagRECTPROP* FindEllipseById(tagRLISTHEAD* list, int32_t id) {
  return FirstArea(list, [id](const tagRECTPROP& area) {
    return area.kind == kRectKindLed && area.id == id;
  });
}

tagRECTPROP* FindLcd(tagRLISTHEAD* list, tagLISTPOINT point) {
  return FirstArea(list, [point](const tagRECTPROP& area) { return Contains(area.rect, point); });
}

tagLCDPROP* FindLcdTypeAt(tagLCDLISTHEAD* list, tagLISTPOINT point) {
  return FirstLcd(list, [point](const tagLCDNODE& node) { return Contains(node.record->rect, point); });
}

tagLCDPROP* FindLcdByName(tagLCDLISTHEAD* list, const char* name) {
  if (name == nullptr) return nullptr;
  return FirstLcd(list, [name](const tagLCDNODE& node) {
    return node.record->name != nullptr && std::strcmp(node.record->name, name) == 0;
  });
}

tagLCDPROP* FindLcdByNumber(tagLCDLISTHEAD* list, int32_t number) {
  return FirstLcd(list, [number](const tagLCDNODE& node) { return node.number == number; });
}

int CopyRectNameById(tagRLISTHEAD* list, int32_t id, char* buffer, int32_t size) {
  return CopyAreaNameById(list, kRectKindButton, id, buffer, size);
}

int CopyEllipseNameById(tagRLISTHEAD* list, int32_t id, char* buffer, int32_t size) {
  return CopyAreaNameById(list, kRectKindLed, id, buffer, size);
}

}  // extern "C"

namespace panel {

void SwapAreaText(char** field, char* text) {
  char* old = nullptr;
  {
    std::lock_guard<std::mutex> guard(AreaListLock());
    old = *field;
    *field = text;
  }
  std::free(old);  // the lists' texts are released with free()
}

static_assert(kLastLedId == 1 << (kLedRunMax - 1), "one LED per bit of the \"@L\" byte");

int FindLedRun(tagRLISTHEAD* list, tagRECTPROP* (&leds)[kLedRunMax]) {
  if (list == nullptr) return 0;
  int found = 0;
  for (int32_t id = 1; id <= kLastLedId && found < kLedRunMax; id <<= 1) {
    tagRECTPROP* led = FindEllipseById(list, id);
    if (led == nullptr) break;
    leds[found++] = led;
  }
  return found;
}

namespace {
struct RememberedLeds {
  bool known;
  uint8_t bits;
};
RememberedLeds remembered_leds{false, 0};
}  // namespace

void ApplyLedBits(uint8_t bits) {
  remembered_leds = RememberedLeds{true, bits};
  tagRECTPROP* run[kLedRunMax];
  const int count = FindLedRun(GetRectList(), run);
  for (int i = 0; i < count; ++i) {
    tagRECTPROP* led = run[i];
    led->color = (bits & led->id) != 0 ? led->active_color : led->inactive_color;
  }
}

void ReapplyLedBits() {
  if (remembered_leds.known) ApplyLedBits(remembered_leds.bits);
}

void ForgetLedBits() { remembered_leds = RememberedLeds{false, 0}; }

bool RememberedLedBits(uint8_t* bits) {
  if (!remembered_leds.known) return false;
  *bits = remembered_leds.bits;
  return true;
}

}  // namespace panel
