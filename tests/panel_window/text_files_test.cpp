// The LCD types file and the context-help file: key table order, types and menu ids, cut lines
// and values; entry splitting, the "Text=" continuation and the lookup by kind and name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "panel/core/data_lists.h"
#include "panel/window/context_help_file.h"
#include "panel/window/lcd_types_file.h"
#include "panel_files_support.h"
#include "../panel_core/recording_monitor.h"

using namespace panel;

namespace {

std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<const tagLCDPROP*> Types() {
  std::vector<const tagLCDPROP*> types;
  for (tagLCDNODE* node = GetLcdTypes() ? GetLcdTypes()->first : nullptr; node; node = node->next) {
    types.push_back(node->record);
  }
  return types;
}

using TextFilesTest = PanelFilesTest;

TEST_F(TextFilesTest, LcdTypesFollowTheKeyTable) {
  const std::string file = Crlf({
      "[LCD TYPES]",
      "Lines=2",                      // before the first name: kept for the first type
      "Charakter=16",
      "Name=LCD 16x2",
      "w=80.5",
      "h=36",
      "charX=2.95",
      "fontY=10",
      "Tolltip=looks like a Type=x line",  // "Type=" comes first in the table
      "no key here",
      "",
      "Name=LCD 20x4",
      "Charakter=300",                // 8 bits: 300 keeps 44
      "BlColor=" + std::string(30, 'b'),   // cut to 25
      "Tolltip=" + std::string(60, 't'),   // the line is cut to 63 characters
  });
  ASSERT_EQ(ReadLcdTypesBytes(file.data(), file.size()), 1);
  const std::vector<const tagLCDPROP*> types = Types();
  ASSERT_EQ(types.size(), 2u);
  const tagLCDPROP& first = *types[0];
  EXPECT_STREQ(first.name, "LCD 16x2");
  EXPECT_EQ(first.menu_id, kLcdTypeFirstMenuId);
  EXPECT_EQ(first.rows, 2);
  EXPECT_EQ(first.columns, 16);
  EXPECT_FLOAT_EQ(first.width, 80.5f);
  EXPECT_FLOAT_EQ(first.height, 36.0f);
  EXPECT_FLOAT_EQ(first.char_x, 2.95f);
  EXPECT_EQ(first.font_x, 5);
  EXPECT_EQ(first.font_y, 10);
  EXPECT_STREQ(first.type, "looks like a Type=x line");
  EXPECT_STREQ(first.tooltip, "");
  const tagLCDPROP& second = *types[1];
  EXPECT_STREQ(second.name, "LCD 20x4");
  EXPECT_EQ(second.menu_id, kLcdTypeFirstMenuId + 1);
  EXPECT_EQ(second.rows, 0);
  EXPECT_EQ(second.columns, 44);
  EXPECT_EQ(second.font_y, 8);
  EXPECT_EQ(std::string(second.backlight), std::string(25, 'b'));
  EXPECT_EQ(std::string(second.tooltip), std::string(63 - 8, 't'));
}

TEST_F(TextFilesTest, LcdTypesFileWithoutItsHeaderLeavesAnEmptyList) {
  RecordingMonitor monitor;
  const std::string good = Crlf({"[LCD TYPES]", "Name=A"});
  ASSERT_EQ(ReadLcdTypesBytes(good.data(), good.size()), 1);
  ASSERT_EQ(Types().size(), 1u);
  const std::string lf_only = "[LCD TYPES]\nName=A\n";  // one line: not the header
  ASSERT_EQ(ReadLcdTypesBytes(lf_only.data(), lf_only.size()), 1);
  EXPECT_TRUE(Types().empty());
  EXPECT_EQ(std::count(monitor.tx_lines.begin(), monitor.tx_lines.end(),
                       "** This is not a lcd config file\r\n"),
            1);
  ASSERT_EQ(ReadLcdTypesBytes(good.data(), good.size()), 1);
  EXPECT_EQ(ReadLcdTypesFile(Path("missing.lcd").c_str()), 0);
  EXPECT_EQ(Types().size(), 1u);  // a file that cannot be opened changes nothing
}

const std::string kHelp = Crlf({
    "[KontextHilfe 1.0]",
    "[Taste]",
    "Name=Filter reset",
    "Text=Hold it 5 s.",
    "After cleaning.",
    "",
    "Name=Filter",
    "Text=Never found: Filter reset comes first.",
    "",
    "Name=Off",
    "Text=Switches off.",   // no empty line: swallows the next name line
    "Name=Heater",
    "Text=Heats.",
    "",
    "[Led]",
    "Name=Ready",
    "Text=Lit when ready.",
    "",
    "[Lcd]",
    "Name=LCD",
    "Text=Two lines.",      // the file ends without an empty line
});

TEST_F(TextFilesTest, ContextHelpLookupByKindAndName) {
  ASSERT_EQ(ReadContextHelpBytes(kHelp.data(), kHelp.size()), 1);
  struct Case {
    uint32_t kind;
    const char* name;
    const char* text;  // null: no help
  };
  const Case cases[] = {
      {kRectKindButton, "Filter reset", "Hold it 5 s.\r\nAfter cleaning."},
      {kRectKindButton, "Filter", "Hold it 5 s.\r\nAfter cleaning."},
      {kRectKindButton, "Off", "Switches off.\r\nName=Heater"},
      {kRectKindButton, "Heater", "Heats."},
      {kRectKindLed, "Ready", "Lit when ready."},
      {kRectKindLcd, "LCD", "Two lines.\r\n"},
      {kRectKindLed, "Filter reset", nullptr},  // not from the LED section on
      {kRectKindButton, "Missing", nullptr},
      {kRectKindButton, "Text=", nullptr},      // found in a text entry: no text follows
      {0, "Off", nullptr},
  };
  for (const Case& c : cases) {
    const char* text = FindContextHelp(c.kind, c.name);
    if (c.text == nullptr) {
      EXPECT_EQ(text, nullptr) << c.name;
    } else {
      EXPECT_STREQ(text, c.text) << c.name;
    }
  }
}

TEST_F(TextFilesTest, ContextHelpFileIsCheckedAndKept) {
  const std::string no_header = Crlf({"[Taste]", "Name=Off", "Text=x", ""});
  EXPECT_EQ(ReadContextHelpBytes(no_header.data(), no_header.size()), 0);
  EXPECT_EQ(FindContextHelp(kRectKindButton, "Off"), nullptr);
  EXPECT_EQ(ReadContextHelpBytes("[Taste]", 7), 0);  // no line end at all
  EXPECT_EQ(ReadContextHelpFile(Path("missing.txt").c_str()), 0);

  const std::string long_text(40000, 'L');
  const std::string big = Crlf({"[KontextHilfe 1.0]", "[Led]", "Name=Big", "Text=" + long_text,
                                "", "Name=Next", "Text=n", ""});
  ASSERT_EQ(ReadContextHelpBytes(big.data(), big.size()), 1);
  EXPECT_EQ(std::strlen(FindContextHelp(kRectKindLed, "Big")),
            kContextHelpEntryMaxChars - std::strlen("Text="));
  EXPECT_STREQ(FindContextHelp(kRectKindLed, "Next"), "n");
  // Kept: a second read, even of another file, keeps the first one's entries.
  EXPECT_EQ(ReadContextHelpBytes(kHelp.data(), kHelp.size()), 1);
  EXPECT_STREQ(FindContextHelp(kRectKindLed, "Next"), "n");
}

TEST_F(TextFilesTest, ContextHelpKeysCountOnAnyLineOfAnEntry) {
  // A text of many lines, longer than an entry keeps: cut, and the next area still found.
  std::vector<std::string> lines = {"[KontextHilfe 1.0]", "[Led]", "Name=Long", "Text=first"};
  for (int i = 0; i < 20000; ++i) lines.push_back("a line of a very long help text");
  lines.insert(lines.end(), {"", "Name=Next", "Text=n", ""});
  const std::string file = Crlf(lines);
  ASSERT_EQ(ReadContextHelpBytes(file.data(), file.size()), 1);
  EXPECT_EQ(std::strlen(FindContextHelp(kRectKindLed, "Long")),
            kContextHelpEntryMaxChars - std::strlen("Text="));
  EXPECT_STREQ(FindContextHelp(kRectKindLed, "Next"), "n");
  DeleteContextHelp();

  // A key on a later line of a text ends the text at that line's end; the header on the first
  // entry's second line (a file with LF line ends) is found too.
  const std::string later = "x\n[KontextHilfe 1.0]\r\n[Taste]\r\nName=A\r\nText=one\r\n"
                            "two [Led]\r\nName=B\r\nText=b\r\n\r\n";
  ASSERT_EQ(ReadContextHelpBytes(later.data(), later.size()), 1);
  EXPECT_STREQ(FindContextHelp(kRectKindButton, "A"), "one\r\ntwo [Led]");
  EXPECT_STREQ(FindContextHelp(kRectKindButton, "B"), "b");
}

}  // namespace
