// The library as an application links it: every export by its undecorated name, the option
// word through SetOptions, and the lists that process attach creates.
#include <gtest/gtest.h>

#include "siccorae_loader.h"

namespace {

template <typename Function>
Function Export(const SiccoraeApi& api, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(api.module, name)));
}

TEST(LibraryExports, EveryExportResolvesByName) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  for (int i = 0; i < kSiccoraeExportCount; ++i) {
    EXPECT_NE(GetProcAddress(api.module, kSiccoraeExports[i]), nullptr) << kSiccoraeExports[i];
  }
  // Undecorated only: no C++ or stdcall-decorated spelling is what the application links.
  EXPECT_EQ(GetProcAddress(api.module, "_CheckRx"), nullptr);
  EXPECT_EQ(GetProcAddress(api.module, "CheckRx@0"), nullptr);
}

TEST(LibraryExports, SetOptionsStoresNormalisedWordAndReturnsPrevious) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.SetOptions, nullptr);
  EXPECT_EQ(api.SetOptions(0x0100), 0x8410u);  // the load-time word
  EXPECT_EQ(api.SetOptions(0x0112), 0x0102u);  // 0x0100 drew 0x0002 in
  EXPECT_EQ(api.SetOptions(0x8410), 0x0010u);  // 0x0010 cleared 0x0100 and 0x0002
}

TEST(LibraryExports, ProcessAttachCreatedTheLibraryLists) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  auto get_tx = Export<tagLISTHEAD* (*)()>(api, "GetTXListHead");
  auto get_rx = Export<tagLISTHEAD* (*)()>(api, "GetRXListHead");
  auto get_panel = Export<tagPLISTHEAD* (*)()>(api, "GetPanelList");
  ASSERT_NE(get_tx, nullptr);
  ASSERT_NE(get_rx, nullptr);
  ASSERT_NE(get_panel, nullptr);
  tagLISTHEAD* tx = get_tx();
  tagLISTHEAD* rx = get_rx();
  ASSERT_NE(tx, nullptr);
  ASSERT_NE(rx, nullptr);
  EXPECT_NE(tx, rx);
  EXPECT_EQ(tx->count, 0);
  EXPECT_EQ(rx->count, 0);
  EXPECT_NE(get_panel(), nullptr);
  EXPECT_NE(api.GetRectList(), nullptr);
}

// The searches as an application reaches them: by their exported names, on lists built with the
// exports. A point on the right or bottom edge is outside; the first match in list order wins.
TEST(LibraryExports, ListSearchesWorkThroughTheirExportedNames) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  auto create_rects = Export<tagRLISTHEAD* (*)()>(api, "CreateRectList");
  auto del_rects = Export<void (*)(tagRLISTHEAD*)>(api, "DelRectList");
  auto find_rect = Export<tagRECTPROP* (*)(tagRLISTHEAD*, tagLISTPOINT)>(api, "FindRect");
  auto find_rect_id = Export<tagRECTPROP* (*)(tagRLISTHEAD*, int32_t)>(api, "FindRectById");
  auto find_ellipse = Export<tagRECTPROP* (*)(tagRLISTHEAD*, tagLISTPOINT)>(api, "FindEllipse");
  auto find_ellipse_id = Export<tagRECTPROP* (*)(tagRLISTHEAD*, int32_t)>(api, "FindEllipseById");
  auto find_area = Export<tagRECTPROP* (*)(tagRLISTHEAD*, tagLISTPOINT)>(api, "FindLcd");
  ASSERT_TRUE(create_rects && del_rects && find_rect && find_rect_id && find_ellipse &&
              find_ellipse_id && find_area);
  tagRLISTHEAD* areas = create_rects();
  ASSERT_NE(areas, nullptr);
  tagRECTPROP button{};
  button.kind = kRectKindButton;
  button.id = 4;
  button.rect = tagAREARECT{10, 10, 50, 30};
  tagRECTPROP led = button;
  led.kind = kRectKindLed;
  led.id = 2;
  tagRECTPROP* led_record = api.CreateRectEntry(&led);
  tagRECTPROP* button_record = api.CreateRectEntry(&button);
  ASSERT_EQ(api.AppendRect(areas, led_record), 1);  // the LED first: it covers the same place
  ASSERT_EQ(api.AppendRect(areas, button_record), 1);
  EXPECT_EQ(find_rect(areas, tagLISTPOINT{10, 10}), button_record);
  EXPECT_EQ(find_rect(areas, tagLISTPOINT{50, 20}), nullptr);
  EXPECT_EQ(find_ellipse(areas, tagLISTPOINT{49, 29}), led_record);
  EXPECT_EQ(find_ellipse(areas, tagLISTPOINT{20, 30}), nullptr);
  EXPECT_EQ(find_area(areas, tagLISTPOINT{20, 20}), led_record);
  EXPECT_EQ(find_rect_id(areas, 4), button_record);
  EXPECT_EQ(find_rect_id(areas, 2), nullptr);
  EXPECT_EQ(find_ellipse_id(areas, 2), led_record);
  del_rects(areas);

  auto create_lcds = Export<tagLCDLISTHEAD* (*)()>(api, "CreateLcdList");
  auto create_lcd = Export<tagLCDPROP* (*)(const tagLCDPROP*)>(api, "CreateLcdEntry");
  auto append_lcd = Export<int (*)(tagLCDLISTHEAD*, tagLCDPROP*)>(api, "AppendLcd");
  auto del_lcds = Export<void (*)(tagLCDLISTHEAD*)>(api, "DelLcdList");
  auto find_type_at = Export<tagLCDPROP* (*)(tagLCDLISTHEAD*, tagLISTPOINT)>(api, "FindLcdTypeAt");
  auto find_by_name = Export<tagLCDPROP* (*)(tagLCDLISTHEAD*, const char*)>(api, "FindLcdByName");
  auto find_by_number = Export<tagLCDPROP* (*)(tagLCDLISTHEAD*, int32_t)>(api, "FindLcdByNumber");
  ASSERT_TRUE(create_lcds && create_lcd && append_lcd && del_lcds && find_type_at && find_by_name &&
              find_by_number);
  tagLCDLISTHEAD* types = create_lcds();
  ASSERT_NE(types, nullptr);
  tagLCDPROP first{};
  first.name = const_cast<char*>("HD44780");
  tagLCDPROP second{};
  second.name = const_cast<char*>("KS0066");
  second.rect = tagAREARECT{0, 0, 8, 8};
  tagLCDPROP* first_record = create_lcd(&first);
  tagLCDPROP* second_record = create_lcd(&second);
  ASSERT_EQ(append_lcd(types, first_record), 1);
  ASSERT_EQ(append_lcd(types, second_record), 1);
  EXPECT_EQ(find_by_name(types, "KS0066"), second_record);
  EXPECT_EQ(find_by_name(types, "ks0066"), nullptr);  // case-sensitive
  EXPECT_EQ(find_by_number(types, 0), first_record);
  EXPECT_EQ(find_by_number(types, 1), second_record);
  EXPECT_EQ(find_type_at(types, tagLISTPOINT{7, 7}), second_record);
  EXPECT_EQ(find_type_at(types, tagLISTPOINT{8, 0}), nullptr);
  del_lcds(types);
}

TEST(LibraryExports, BindLcdDllChangesNothing) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.BindLcdDll, nullptr);
  api.BindLcdDll();
  AttachRecorder(api);
  EXPECT_EQ(CheckRxOnce(api), "");
}

}  // namespace
