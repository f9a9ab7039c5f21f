// The panel, area and LCD lists: their TX monitor diagnostics, record copies, removal and the
// searches over areas and LCD types.
#include "panel/core/data_lists.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "recording_monitor.h"

using namespace panel;

namespace {

tagRECTPROP Area(uint32_t kind, int32_t id, tagAREARECT rect, const char* name = nullptr) {
  tagRECTPROP area{};
  area.name = const_cast<char*>(name);
  area.kind = kind;
  area.id = id;
  area.rect = rect;
  return area;
}

class AreaListTest : public testing::Test {
 protected:
  void SetUp() override { list_ = CreateRectList(); }
  void TearDown() override {
    DelRectList(list_);
    DelRectList(GetRectList());
  }
  tagRECTPROP* Add(const tagRECTPROP& area) {
    tagRECTPROP* record = CreateRectEntry(&area);
    EXPECT_EQ(AppendRect(list_, record), 1);
    return record;
  }
  tagRLISTHEAD* list_ = nullptr;
};

TEST_F(AreaListTest, DiagnosticsGoToTheTxMonitor) {
  RecordingMonitor monitor;
  tagRLISTHEAD* areas = CreateRectList();
  tagRECTPROP* button = CreateRectEntry(nullptr);
  EXPECT_EQ(button, nullptr);
  const tagRECTPROP area = Area(kRectKindButton, 1, {0, 0, 10, 10}, "Button");
  button = CreateRectEntry(&area);
  EXPECT_EQ(GetRectHead(areas), nullptr);
  AppendRect(areas, button);
  tagRECTNODE* node = GetRectHead(areas);
  EXPECT_EQ(GetNextRectEntry(node), nullptr);
  EXPECT_EQ(GetNextRectEntry(nullptr), nullptr);
  const std::string node_text = AddressText(node);
  EXPECT_EQ(RemoveRect(areas, button), 1);
  DelRectList(areas);

  const std::vector<std::string> expected = {
      "ListCreate Adresse von PRLISTHEAD *listhead = " + AddressText(areas) + "\r\n",
      "Liste ist leer\r\n",
      "ListAppend Adresse von PRECTNODE *pAppend = " + node_text + "\r\n",
      "GetHead Adresse von PRECTNODE *pCur = " + node_text + "\r\n",
      "GetHead Adresse von PRECTNODE *pCur = " + AddressText(nullptr) + "\r\n",
      "Liste ist leer\r\n",
      "RemoveEntry: Daten an Adresse " + AddressText(button) + " gel\xF6scht\r\n",
      "RemoveEntry: Knoten an Adresse " + node_text + " gel\xF6scht\r\n",
  };
  EXPECT_EQ(monitor.tx_lines, expected);
  EXPECT_TRUE(monitor.rx_lines.empty());
}

TEST_F(AreaListTest, CopyIsDeep) {
  char name[] = "Led";
  tagRECTPROP area = Area(kRectKindLed, 4, {1, 2, 3, 4}, name);
  area.active_color = 5;
  area.inactive_color = 6;
  tagRECTPROP* copy = Add(area);
  name[0] = 'X';
  EXPECT_STREQ(copy->name, "Led");
  EXPECT_NE(copy->name, name);
  EXPECT_EQ(copy->tooltip, nullptr);
  EXPECT_EQ(copy->kind, kRectKindLed);
  EXPECT_EQ(copy->rect.bottom, 4);
  EXPECT_EQ(copy->active_color, 5);
  EXPECT_EQ(copy->inactive_color, 6);
}

TEST_F(AreaListTest, RemoveRectRemovesOnlyTheFirstNodeAndKeepsTheRecordForTheOther) {
  tagRECTPROP* shared = Add(Area(kRectKindButton, 1, {0, 0, 5, 5}, "Button"));
  tagRECTPROP* other = Add(Area(kRectKindButton, 2, {5, 0, 9, 5}));
  ASSERT_EQ(AppendRect(list_, shared), 1);
  EXPECT_EQ(RemoveRect(list_, shared), 1);
  ASSERT_EQ(list_->count, 2);
  EXPECT_EQ(list_->first->record, other);
  EXPECT_EQ(list_->first->previous, nullptr);
  EXPECT_EQ(list_->last->record, shared);
  EXPECT_EQ(list_->last->previous, list_->first);
  // The node left behind still holds a live record (AddressSanitizer would report the read).
  EXPECT_STREQ(list_->last->record->name, "Button");
  EXPECT_EQ(FindRect(list_, 1), shared);
  EXPECT_EQ(RemoveRect(list_, shared), 1);
  EXPECT_EQ(list_->count, 1);
  EXPECT_EQ(RemoveRect(list_, shared), 0);
}

TEST_F(AreaListTest, SetRectListOnceAndForgottenWhenDeleted) {
  RecordingMonitor monitor;
  tagRLISTHEAD* second = CreateRectList();
  SetRectList(list_);
  SetRectList(second);
  EXPECT_EQ(GetRectList(), list_);
  EXPECT_EQ(monitor.tx_lines.back(), "SetRectList Listenkopf bereits gesetzt\r\n");
  DelRectList(list_);
  list_ = second;
  EXPECT_EQ(GetRectList(), nullptr);
  SetRectList(second);
  EXPECT_EQ(GetRectList(), second);
}

TEST_F(AreaListTest, SearchesPreferTheirKindAndListOrder) {
  tagRECTPROP* button = Add(Area(kRectKindButton, 1, {10, 10, 50, 30}));
  tagRECTPROP* led = Add(Area(kRectKindLed, 1, {20, 15, 40, 25}));
  const tagLISTPOINT inside_both = {25, 20};
  EXPECT_EQ(FindRect(list_, inside_both), button);
  EXPECT_EQ(FindEllipse(list_, inside_both), led);
  EXPECT_EQ(FindLcd(list_, inside_both), button);  // first in the list, any kind
  EXPECT_EQ(FindRect(list_, 1), button);
  EXPECT_EQ(FindEllipse(list_, 1), led);
  EXPECT_EQ(FindEllipse(list_, 2), nullptr);

  // The same two areas in the other order: FindLcd now finds the LED.
  tagRLISTHEAD* reversed = CreateRectList();
  tagRECTPROP* led_copy = CreateRectEntry(led);
  tagRECTPROP* button_copy = CreateRectEntry(button);
  AppendRect(reversed, led_copy);
  AppendRect(reversed, button_copy);
  EXPECT_EQ(FindLcd(reversed, inside_both), led_copy);
  EXPECT_EQ(FindRect(reversed, inside_both), button_copy);
  DelRectList(reversed);
}

TEST_F(AreaListTest, RightAndBottomEdgesAreOutside) {
  tagRECTPROP* button = Add(Area(kRectKindButton, 8, {10, 20, 30, 40}));
  tagRECTPROP* led = Add(Area(kRectKindLed, 16, {100, 100, 120, 110}));
  EXPECT_EQ(FindRect(list_, tagLISTPOINT{10, 20}), button);  // top-left corner is inside
  EXPECT_EQ(FindRect(list_, tagLISTPOINT{29, 39}), button);
  EXPECT_EQ(FindRect(list_, tagLISTPOINT{30, 25}), nullptr);  // right edge
  EXPECT_EQ(FindRect(list_, tagLISTPOINT{15, 40}), nullptr);  // bottom edge
  EXPECT_EQ(FindRect(list_, tagLISTPOINT{9, 25}), nullptr);
  EXPECT_EQ(FindEllipse(list_, tagLISTPOINT{100, 100}), led);  // corner of the bounding rect
  EXPECT_EQ(FindEllipse(list_, tagLISTPOINT{120, 105}), nullptr);
  EXPECT_EQ(FindEllipse(list_, tagLISTPOINT{110, 110}), nullptr);
  EXPECT_EQ(FindLcd(list_, tagLISTPOINT{119, 109}), led);
}

TEST_F(AreaListTest, FirstOfTwoButtonsWithOneIdWins) {
  tagRECTPROP* first = Add(Area(kRectKindButton, 2, {0, 0, 1, 1}));
  Add(Area(kRectKindButton, 2, {0, 0, 1, 1}));
  Add(Area(kRectKindLcd, 2, {0, 0, 1, 1}));
  EXPECT_EQ(FindRect(list_, 2), first);
  EXPECT_EQ(FindEllipse(list_, 2), nullptr);  // the LCD area is no LED
}

TEST_F(AreaListTest, CopyNameByIdCopiesTheAreaOfItsKindCut) {
  Add(Area(kRectKindLed, 4, {0, 0, 1, 1}, "Ready"));
  Add(Area(kRectKindButton, 4, {0, 0, 1, 1}, "Clothes washing"));
  Add(Area(kRectKindButton, 8, {0, 0, 1, 1}));  // no name
  const struct {
    int32_t id;
    int32_t size;
    int result;
    const char* copied;
  } cases[] = {
      {4, 32, 1, "Clothes washing"}, {4, 16, 1, "Clothes washing"}, {4, 8, 1, "Clothes"},
      {4, 1, 1, ""}, {8, 32, 0, ""}, {2, 32, 0, ""},
  };
  for (const auto& c : cases) {
    char buffer[32] = "old";
    EXPECT_EQ(CopyRectNameById(list_, c.id, buffer, c.size), c.result) << c.id << " " << c.size;
    EXPECT_STREQ(buffer, c.copied) << c.id << " " << c.size;
  }
  char buffer[8] = "old";
  EXPECT_EQ(CopyRectNameById(nullptr, 4, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(CopyRectNameById(list_, 4, nullptr, 8), 0);
  // The LED with the same id is the LED copier's, never the button copier's.
  char led[32] = "old";
  EXPECT_EQ(CopyEllipseNameById(list_, 4, led, sizeof led), 1);
  EXPECT_STREQ(led, "Ready");
  EXPECT_EQ(CopyEllipseNameById(list_, 8, led, sizeof led), 0);
  EXPECT_STREQ(led, "");
}

// The application's recorder copies a name while designer mode replaces it on the UI thread:
// every copy is one of the names whole (ThreadSanitizer checks the two threads in this suite).
TEST_F(AreaListTest, NameCopiedOnAnotherThreadWhileItIsReplaced) {
  tagRECTPROP* button = Add(Area(kRectKindButton, 16, {0, 0, 1, 1}, "Room"));
  const char* const names[] = {"Room", "Clothes washing"};
  constexpr int kReplacements = 2000;
  std::thread ui_thread([&] {
    for (int i = 0; i < kReplacements; ++i) {
      const char* name = names[i % 2];
      char* text = static_cast<char*>(std::malloc(std::strlen(name) + 1));
      std::strcpy(text, name);
      SwapAreaText(&button->name, text);
    }
  });
  int whole = 0;
  for (int i = 0; i < kReplacements; ++i) {
    char copy[32];
    ASSERT_EQ(CopyRectNameById(list_, 16, copy, sizeof copy), 1);
    whole += std::strcmp(copy, names[0]) == 0 || std::strcmp(copy, names[1]) == 0 ? 1 : 0;
  }
  ui_thread.join();
  EXPECT_EQ(whole, kReplacements);
}

// The LEDs that "@L" switches and painting draws: ids 1, 2, 4, ... up to the first missing one.
TEST_F(AreaListTest, LedRunEndsAtTheFirstMissingId) {
  struct Case {
    std::vector<int32_t> led_ids;
    size_t run;  // how many of them, from the first, form the run
  };
  const Case cases[] = {
      {{}, 0},
      {{2, 4}, 0},           // no LED 1: nothing
      {{1, 2, 8}, 2},        // LED 8 is never reached
      {{4, 2, 1}, 3},        // list order does not matter
      {{1, 2, 4, 8, 16, 32, 64, 128, 256}, 8},  // at most eight
  };
  for (const Case& c : cases) {
    tagRLISTHEAD* areas = CreateRectList();
    const tagRECTPROP button = Area(kRectKindButton, 1, {0, 0, 1, 1});
    AppendRect(areas, CreateRectEntry(&button));  // a button with an LED's id does not count
    for (int32_t id : c.led_ids) {
      const tagRECTPROP led = Area(kRectKindLed, id, {0, 0, 1, 1});
      AppendRect(areas, CreateRectEntry(&led));
    }
    tagRECTPROP* run[kLedRunMax] = {};
    const int found = FindLedRun(areas, run);
    ASSERT_EQ(found, static_cast<int>(c.run));
    for (int i = 0; i < found; ++i) {
      EXPECT_EQ(run[i]->kind, kRectKindLed);
      EXPECT_EQ(run[i]->id, 1 << i);
    }
    DelRectList(areas);
  }
  tagRECTPROP* run[kLedRunMax] = {};
  EXPECT_EQ(FindLedRun(nullptr, run), 0);
}

TEST(AreaListSearch, NullAndEmptyListsFindNothing) {
  EXPECT_EQ(FindRect(nullptr, tagLISTPOINT{0, 0}), nullptr);
  EXPECT_EQ(FindEllipse(static_cast<tagRLISTHEAD*>(nullptr), 1), nullptr);
  EXPECT_EQ(FindLcd(static_cast<tagLCDLISTHEAD*>(nullptr), "x"), nullptr);
  tagRLISTHEAD* empty = CreateRectList();
  EXPECT_EQ(FindLcd(empty, tagLISTPOINT{0, 0}), nullptr);
  DelRectList(empty);
  DelRectList(nullptr);
}

TEST(PanelList, LinesAndListenkopfBereitsGesetzt) {
  RecordingMonitor monitor;
  tagPLISTHEAD* panels = CreatePanelList();
  tagPLISTHEAD* second = CreatePanelList();
  SetPanelList(panels);
  SetPanelList(second);
  EXPECT_EQ(GetPanelList(), panels);

  char text[] = "text";
  tagPANELPROP element{};
  element.text = text;
  EXPECT_EQ(CreatePanelEntry(&element), nullptr);  // both texts are required
  element.second_text = text;
  element.first_values[5] = 6;
  element.second_values[4] = 11;
  tagPANELPROP* record = CreatePanelEntry(&element);
  ASSERT_NE(record, nullptr);
  EXPECT_NE(record->text, text);
  EXPECT_STREQ(record->second_text, "text");
  EXPECT_EQ(record->first_values[5], 6);
  EXPECT_EQ(record->second_values[4], 11);
  AppendPanel(panels, record);
  AppendPanel(panels, record);  // held twice: removed twice, freed once
  tagPANELNODE* first = GetPanelHead(panels);
  tagPANELNODE* last = GetNextPanelEntry(first);
  EXPECT_EQ(last, panels->last);
  const std::string first_text = AddressText(first);
  const std::string last_text = AddressText(last);
  EXPECT_EQ(RemovePanel(panels, record), 1);
  EXPECT_EQ(panels->count, 0);
  EXPECT_EQ(GetPanelHead(panels), nullptr);
  DelPanelList(panels);
  EXPECT_EQ(GetPanelList(), nullptr);
  DelPanelList(second);

  const std::vector<std::string> expected = {
      "ListCreate Adresse von tPLISTHEAD *listhead = " + AddressText(panels) + "\r\n",
      "ListCreate Adresse von tPLISTHEAD *listhead = " + AddressText(second) + "\r\n",
      "SetListHead Listenkopf bereits gesetzt\r\n",
      "ListAppend Adresse von tPANELNODE *pAppend = " + first_text + "\r\n",
      "ListAppend Adresse von tPANELNODE *pAppend = " + last_text + "\r\n",
      "GetHead Adresse von tPANELNODE *pCur = " + first_text + "\r\n",
      "GetHead Adresse von tPANELNODE *pCur = " + last_text + "\r\n",
      "RemoveEntry: Daten an Adresse " + AddressText(record) + " gel\xF6scht\r\n",
      "RemoveEntry: Knoten an Adresse " + first_text + " gel\xF6scht\r\n",
      "RemoveEntry: Daten an Adresse " + AddressText(record) + " gel\xF6scht\r\n",
      "RemoveEntry: Knoten an Adresse " + last_text + " gel\xF6scht\r\n",
      "Liste ist leer\r\n",
  };
  EXPECT_EQ(monitor.tx_lines, expected);
}

class LcdListTest : public testing::Test {
 protected:
  void SetUp() override { list_ = CreateLcdList(); }
  void TearDown() override { DelLcdList(list_); }
  tagLCDPROP* Add(const char* name, tagAREARECT rect = {0, 0, 0, 0}) {
    tagLCDPROP type{};
    type.name = const_cast<char*>(name);
    type.rect = rect;
    tagLCDPROP* record = CreateLcdEntry(&type);
    EXPECT_EQ(AppendLcd(list_, record), 1);
    return record;
  }
  tagLCDLISTHEAD* list_ = nullptr;
};

TEST_F(LcdListTest, CopyDuplicatesAllFiveStrings) {
  char name[] = "2x16", type[] = "HD44780", tip[] = "Tip", light[] = "Green", font[] = "5x8";
  tagLCDPROP source{name, type, tip, light, font, 16, 2, 5, 8, 60.5f, 15.25f, 3.0f, 5.0f, {}, 32891};
  tagLCDPROP* copy = CreateLcdEntry(&source);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->font, font);
  EXPECT_STREQ(copy->name, "2x16");
  EXPECT_STREQ(copy->type, "HD44780");
  EXPECT_STREQ(copy->tooltip, "Tip");
  EXPECT_STREQ(copy->backlight, "Green");
  EXPECT_STREQ(copy->font, "5x8");
  EXPECT_EQ(copy->columns, 16);
  EXPECT_EQ(copy->height, 15.25f);
  EXPECT_EQ(copy->menu_id, 32891);
  AppendLcd(list_, copy);
  tagLCDPROP empty{};
  tagLCDPROP* bare = CreateLcdEntry(&empty);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->name, nullptr);
  AppendLcd(list_, bare);
}

TEST_F(LcdListTest, SearchesByNameNumberAndPoint) {
  tagLCDPROP* first = Add("HD44780");
  tagLCDPROP* second = Add("hd44780", {10, 10, 20, 20});
  tagLCDPROP* third = Add(nullptr);
  EXPECT_EQ(FindLcd(list_, "HD44780"), first);
  EXPECT_EQ(FindLcd(list_, "hd44780"), second);  // case-sensitive
  EXPECT_EQ(FindLcd(list_, "HD4478"), nullptr);
  EXPECT_EQ(FindLcd(list_, static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(FindLcd(list_, 0), first);  // numbered by the count at append time
  EXPECT_EQ(FindLcd(list_, 2), third);
  EXPECT_EQ(FindLcd(list_, 3), nullptr);
  EXPECT_EQ(FindLcd(list_, tagLISTPOINT{10, 19}), second);
  EXPECT_EQ(FindLcd(list_, tagLISTPOINT{20, 10}), nullptr);
  EXPECT_EQ(FindLcd(list_, tagLISTPOINT{0, 0}), nullptr);  // an empty rect contains nothing
}

TEST_F(LcdListTest, LinesOfTheLcdFamily) {
  RecordingMonitor monitor;
  tagLCDLISTHEAD* types = CreateLcdList();
  tagLCDPROP type{};
  tagLCDPROP* record = CreateLcdEntry(&type);
  AppendLcd(types, record);
  AppendLcd(types, record);
  tagLCDNODE* first = GetLcdHead(types);
  tagLCDNODE* last = GetNextLcdEntry(first);
  const std::string first_text = AddressText(first);
  const std::string last_text = AddressText(last);
  const std::string record_text = AddressText(record);
  EXPECT_EQ(first->number, 0);
  EXPECT_EQ(last->number, 1);
  DelLcdList(types);  // the record held twice is freed once
  const std::vector<std::string> expected = {
      "ListCreate Adresse von PLCDLISTHEAD *listhead = " + AddressText(types) + "\r\n",
      "ListAppend Adresse von PLCDNODE *pAppend = " + first_text + "\r\n",
      "ListAppend Adresse von PLCDNODE *pAppend = " + last_text + "\r\n",
      "GetHead Adresse von PLCDNODE *pCur = " + first_text + "\r\n",
      "GetNextEntry Adresse von PLCDNODE *pCur = " + last_text + "\r\n",
      "DelList: Daten an Adresse " + record_text + " gel\xF6scht\r\n",
      "DelList: Knoten an Adresse " + first_text + " gel\xF6scht\r\n",
      "DelList: Daten an Adresse " + record_text + " gel\xF6scht\r\n",
      "DelList: Knoten an Adresse " + last_text + " gel\xF6scht\r\n",
  };
  EXPECT_EQ(monitor.tx_lines, expected);
}

TEST_F(LcdListTest, RemoveLcdRemovesEveryNodeOfTheRecord) {
  tagLCDPROP* a = Add("a");
  tagLCDPROP* b = Add("b");
  AppendLcd(list_, a);
  EXPECT_EQ(RemoveLcd(list_, a), 1);
  ASSERT_EQ(list_->count, 1);
  EXPECT_EQ(list_->first->record, b);
  EXPECT_EQ(list_->first, list_->last);
  EXPECT_EQ(list_->first->previous, nullptr);
  EXPECT_EQ(list_->first->next, nullptr);
  EXPECT_EQ(RemoveLcd(list_, a), 0);
  EXPECT_EQ(AppendLcd(nullptr, b), 0);
  EXPECT_EQ(GetNextLcdEntry(nullptr), nullptr);
}

TEST(ListOutOfMemory, FamiliesReportSpeicherplatzmangelOnTheTxMonitor) {
  RecordingMonitor monitor;
  tagRLISTHEAD* areas = CreateRectList();
  tagRECTPROP area = Area(kRectKindButton, 1, {0, 0, 1, 1}, "Button");
  tagRECTPROP* record = CreateRectEntry(&area);
  monitor.allocator = [](size_t) -> void* { return nullptr; };
  EXPECT_EQ(CreatePanelList(), nullptr);
  EXPECT_EQ(CreateLcdList(), nullptr);
  EXPECT_EQ(AppendRect(areas, record), 0);
  EXPECT_EQ(CreateRectEntry(&area), nullptr);
  monitor.allocator = nullptr;
  EXPECT_EQ(areas->count, 0);
  EXPECT_EQ(monitor.tx_lines.size(), 4u);
  for (size_t i = 1; i < monitor.tx_lines.size(); ++i) {
    EXPECT_EQ(monitor.tx_lines[i], "Speicherplatzmangel\r\n");
  }
  ASSERT_EQ(AppendRect(areas, record), 1);
  DelRectList(areas);
}

}  // namespace
