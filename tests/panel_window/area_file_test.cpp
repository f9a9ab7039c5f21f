// The area file: the writer's bytes, reading back, the area count, and damaged or cut files.
#include "panel/window/area_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "panel_files_support.h"

using namespace panel;

namespace {

constexpr int32_t kRect[4] = {275, 115, 499, 157};

tagRECTPROP MakeArea(const char* name, const char* tooltip, uint32_t kind, int32_t id,
                     tagAREARECT rect, int32_t active, int32_t inactive, int32_t current) {
  tagRECTPROP area{};
  area.name = const_cast<char*>(name);
  area.tooltip = const_cast<char*>(tooltip);
  area.kind = kind;
  area.id = id;
  area.rect = rect;
  area.active_color = active;
  area.inactive_color = inactive;
  area.color = current;
  return area;
}

void AppendArea(const tagRECTPROP& area) {
  ASSERT_EQ(AppendRect(GetRectList(), CreateRectEntry(&area)), 1);
}

class AreaFileTest : public PanelFilesTest {
 protected:
  void SetUp() override {
    PanelFilesTest::SetUp();
    StoreSettingsText(settings_.FileCfg, kSettingsPathChars, "old.opd");
    StoreSettingsText(settings_.FileBmp, kSettingsPathChars, "old.bmp");
    settings_.LcdRect[0] = 1;
    AppendArea(MakeArea("Kept", "kept", kRectKindButton, 1, {0, 0, 5, 5}, -1, -1, -1));
  }
  // Nothing of a rejected file reached the settings or the area list.
  void ExpectUnchanged() {
    EXPECT_STREQ(settings_.FileCfg, "old.opd");
    EXPECT_STREQ(settings_.FileBmp, "old.bmp");
    EXPECT_EQ(settings_.LcdRect[0], 1);
    EXPECT_EQ(AreaLines(), std::vector<std::string>{"32860 1 Kept|kept (0 0 5 5) -1 -1 -1"});
  }
  int Read(const std::string& bytes) {
    return ReadAreaBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                         &settings_);
  }
};

TEST_F(AreaFileTest, WrittenFileHasTheFormatsFieldsAndReadsBackWithLedsOff) {
  DelRectList(GetRectList());
  SetRectList(CreateRectList());
  AppendArea(MakeArea("Off", "Switch off", kRectKindButton, 1, {82, 246, 178, 292}, -1, -1, -1));
  AppendArea(MakeArea(nullptr, nullptr, kRectKindButton, 2, {1, 2, 3, 4}, 5, 6, 7));
  AppendArea(MakeArea("Ready", "Ready LED", kRectKindLed, 4, {100, 219, 114, 233}, 2, 8, 2));
  AppendArea(MakeArea("LCD", "display", kRectKindLcd, 0, {275, 115, 499, 157}, -1, -1, 3));
  StoreSettingsText(settings_.FileCfg, kSettingsPathChars, "rk52.opd");
  StoreSettingsText(settings_.FileBmp, kSettingsPathChars, "rk52.bmp");
  StoreSettingsText(settings_.LcdTypeName, kSettingsPathChars, "LCD 16x2");
  std::memcpy(settings_.LcdRect, kRect, sizeof kRect);
  ASSERT_EQ(WriteAreaFile(Path("out.opd").c_str(), settings_), 1);

  const std::string expected =
      AreaBytes::Header("rk52.opd", "rk52.bmp", "LCD 16x2", kRect, 4 * 44)
          .Area("Off", "Switch off", {82, 246, 178, 292}, kRectKindButton, 1, -1, -1, -1)
          .Area("", "", {1, 2, 3, 4}, kRectKindButton, 2, 5, 6, 7)
          .Area("Ready", "Ready LED", {100, 219, 114, 233}, kRectKindLed, 4, 2, 8, 2)
          .Area("LCD", "display", {275, 115, 499, 157}, kRectKindLcd, 0, -1, -1, 3)
          .bytes;
  std::string written = ReadBytes(Path("out.opd"));
  ASSERT_EQ(written.size(), expected.size());
  // Payload size: the three names without zero bytes, 44 per area and 16.
  EXPECT_EQ(written.substr(12, 4), AreaBytes().Word(8 + 8 + 8 + 4 * 44 + 16).bytes);
  written.replace(12, 4, std::string(4, '\0'));                     // checked above
  EXPECT_EQ(written.substr(55, 4), AreaBytes().Word(16).bytes);  // rectangle block length
  written.replace(59, 12, std::string(12, '\x5A'));              // reserved: any content
  EXPECT_EQ(written, expected);

  DelRectList(GetRectList());
  PanelSettings read{};
  ASSERT_EQ(ReadAreaFile(Path("out.opd").c_str(), &read), 1);
  EXPECT_STREQ(read.FileCfg, "rk52.opd");
  EXPECT_STREQ(read.FileBmp, "rk52.bmp");
  EXPECT_STREQ(read.LcdTypeName, "LCD 16x2");
  EXPECT_EQ(std::memcmp(read.LcdRect, kRect, sizeof kRect), 0);
  EXPECT_EQ(AreaLines(), (std::vector<std::string>{
                             "32860 1 Off|Switch off (82 246 178 292) -1 -1 -1",
                             "32860 2 | (1 2 3 4) 5 6 6",
                             "32861 4 Ready|Ready LED (100 219 114 233) 2 8 8",
                             "32863 0 LCD|display (275 115 499 157) -1 -1 -1",
                         }));
}

TEST_F(AreaFileTest, AreaBytesCountWholeRecordUnits) {
  struct Case {
    uint32_t area_bytes;
    int stored;
    size_t expected;
  };
  const Case cases[] = {
      {0, 2, 0},            // 0 areas empty the list
      {100, 3, 2},          // 100 / 44 = 2
      {43, 1, 0},           //
      {0xFFFFFFFF, 2, 2},   // more than the file holds: limited by its size
  };
  for (const Case& c : cases) {
    AreaBytes file = AreaBytes::Header("a.opd", "a.bmp", "", kRect, c.area_bytes);
    for (int i = 0; i < c.stored; ++i) {
      file.Area("A" + std::to_string(i), "t", {i, 0, i + 1, 1}, kRectKindButton, 1 << i, 0, 1, 2);
    }
    EXPECT_EQ(Read(file.bytes), 1);
    EXPECT_EQ(AreaLines().size(), c.expected) << c.area_bytes;
  }
}

TEST_F(AreaFileTest, SecondVersionReadsLikeTheFirst) {
  AreaBytes file = AreaBytes::Header("v2.opd", "v2.bmp", "", kRect, 44);
  file.bytes.replace(4, 8, std::string("*.opd 2\0", 8));
  file.Area("B", "b", {1, 1, 2, 2}, kRectKindButton, 8, -1, -1, -1);
  EXPECT_EQ(Read(file.bytes), 1);
  EXPECT_STREQ(settings_.FileCfg, "v2.opd");
  EXPECT_EQ(AreaLines(), std::vector<std::string>{"32860 8 B|b (1 1 2 2) -1 -1 -1"});
}

TEST_F(AreaFileTest, DamagedFilesChangeNothing) {
  const std::string good_area = AreaBytes().Area("A", "a", {0, 0, 1, 1}, 32860, 1, 0, 0, 0).bytes;
  const std::string long_text(kAreaFileTextMax, 'x');  // 261 bytes with its zero byte
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"wrong magic", AreaBytes().Word(8).Raw(std::string("*.opd 3\0", 8)).bytes},
      {"magic length 7", AreaBytes().Word(7).Raw(std::string("*.opd 1", 7)).bytes},
      {"configuration name length 0",
       AreaBytes().Word(8).Raw(std::string("*.opd 1\0", 8)).Word(0).Word(0).bytes},
      {"bitmap name of 261 bytes",
       AreaBytes().Word(8).Raw(std::string("*.opd 1\0", 8)).Word(0).Text("a").Text(long_text)
           .Text("").bytes},
      {"LCD name beyond the end",
       AreaBytes().Word(8).Raw(std::string("*.opd 1\0", 8)).Word(0).Text("a").Text("b")
           .Word(200).Raw("short").bytes},
      {"rectangle block of 32",
       AreaBytes().Word(8).Raw(std::string("*.opd 1\0", 8)).Word(0).Text("a").Text("b").Text("")
           .Word(32).Raw(std::string(12 + 32, '\0')).Word(44).Word(0).bytes},
      {"header cut before the area bytes",
       AreaBytes::Header("a", "b", "", kRect, 0).bytes.substr(0, 70)},
      {"area name length 0",
       AreaBytes::Header("a", "b", "", kRect, 88).Raw(good_area).Word(0).bytes + good_area},
      {"area tooltip length 0",
       AreaBytes::Header("a", "b", "", kRect, 88).Raw(good_area).Text("n").Word(0).bytes +
           good_area.substr(12)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.bytes), 0) << c.what;
    ExpectUnchanged();
  }
  EXPECT_EQ(ReadAreaFile(Path("missing.opd").c_str(), &settings_), 0);
  ExpectUnchanged();
}

TEST_F(AreaFileTest, OverlongAreaTextsAreCutAndTheFileIsRead) {
  struct Case {
    size_t name_chars;
    size_t tooltip_chars;
  };
  const Case cases[] = {
      {kAreaTextKeptChars, 1},      // longest kept whole
      {kAreaTextKeptChars + 1, 1},  // one more: cut
      {3, 100000},                  // far longer than any field
  };
  for (const Case& c : cases) {
    const std::string name(c.name_chars, 'n');
    const std::string tooltip(c.tooltip_chars, 't');
    const std::string file = AreaBytes::Header("long.opd", "long.bmp", "", kRect, 2 * 44)
                                 .Area(name, tooltip, {0, 0, 1, 1}, kRectKindButton, 1, 0, 0, 0)
                                 .Area("Next", "after", {1, 1, 2, 2}, kRectKindButton, 2, 0, 0, 0)
                                 .bytes;
    ASSERT_EQ(Read(file), 1) << c.name_chars << " " << c.tooltip_chars;
    const std::string kept_name = name.substr(0, kAreaTextKeptChars);
    const std::string kept_tooltip = tooltip.substr(0, kAreaTextKeptChars);
    EXPECT_EQ(AreaLines(), (std::vector<std::string>{
                               "32860 1 " + kept_name + "|" + kept_tooltip + " (0 0 1 1) 0 0 0",
                               "32860 2 Next|after (1 1 2 2) 0 0 0"}));
  }
}

TEST_F(AreaFileTest, CutFileKeepsTheAreasStoredBeforeTheCut) {
  const std::string file = AreaBytes::Header("cut.opd", "cut.bmp", "", kRect, 3 * 44)
                               .Area("One", "1", {0, 0, 1, 1}, kRectKindLed, 1, 2, 8, 2)
                               .Area("Two", "2", {1, 1, 2, 2}, kRectKindLed, 2, 2, 8, 2)
                               .Area("Three", "3", {2, 2, 3, 3}, kRectKindLed, 4, 2, 8, 2)
                               .bytes;
  const size_t second_end = file.size() - (4 + 6 + 4 + 2 + 36);
  struct Case {
    size_t size;
    size_t areas;
  };
  const Case cases[] = {
      {file.size(), 3}, {file.size() - 1, 2}, {second_end, 2}, {second_end + 3, 2},
      {second_end + 7, 2}, {second_end - 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(file.substr(0, c.size)), 1) << c.size;
    EXPECT_EQ(AreaLines().size(), c.areas) << c.size;
    EXPECT_STREQ(settings_.FileCfg, "cut.opd");
  }
}

}  // namespace
