// The settings record's registry values: their read and write orders, parsing of the stored
// strings (numbers that are not decimal text, texts longer than their field) and formatting.
#include "panel/link/panel_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace panel;

namespace {

const SettingsValue& ValueNamed(const char* name) {
  for (const SettingsValue& value : kSettingsReadOrder) {
    if (std::strcmp(value.name, name) == 0) return value;
  }
  ADD_FAILURE() << "no value " << name;
  return kSettingsReadOrder[0];
}

std::vector<std::string> Names(const SettingsValue* values, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(values[i].name);
  return names;
}

TEST(PanelSettingsTest, ValuesAreReadAndWrittenInTheirOrders) {
  EXPECT_EQ(Names(kSettingsReadOrder, kSettingsReadCount),
            (std::vector<std::string>{"RegistrySet", "IFaceType", "CommPort", "Baud", "Flow",
                                      "DBits", "SBits", "Parity", "Ip", "Socket Port", "FileBmp",
                                      "FileCfg", "FileLcd", "HelpFile", "ContextHelpFile",
                                      "WrkDir"}));
  EXPECT_EQ(Names(kSettingsWriteOrder, kSettingsWriteCount),
            (std::vector<std::string>{"RegistrySet", "IFaceType", "CommPort", "Baud", "Flow",
                                      "DBits", "SBits", "Ip", "Socket Port", "Parity", "FileBmp",
                                      "FileCfg", "FileLcd", "ContextHelpFile", "HelpFile"}));
}

TEST(PanelSettingsTest, NumbersAreDecimalTextOrZero) {
  struct Case {
    std::string text;
    int32_t number;
  };
  const Case cases[] = {
      {"5000", 5000},      {"-3", -3},          {"+7", 7},           {"0", 0},
      {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},   {"2147483648", 0},
      {"99999999999", 0},  {"12abc", 0},        {" 12", 0},          {"", 0},
      {"abc", 0},          {"-", 0},            {std::string("12\0x", 4), 12},
  };
  for (const Case& c : cases) {
    PanelSettings settings{};
    settings.SocketPort = 77;
    StoreSettingsValue(&settings, ValueNamed("Socket Port"), c.text.data(), c.text.size());
    EXPECT_EQ(settings.SocketPort, c.number) << c.text;
  }
}

TEST(PanelSettingsTest, TextsLongerThanTheirFieldAreCutToFit) {
  PanelSettings settings{};
  settings.SocketPort = 4711;
  StoreSettingsText(settings.FileCfg, kSettingsPathChars, "after.opd");
  const std::string long_path(300, 'p');
  StoreSettingsValue(&settings, ValueNamed("FileBmp"), long_path.data(), long_path.size());
  EXPECT_EQ(std::string(settings.FileBmp), long_path.substr(0, kSettingsPathChars - 1));
  EXPECT_STREQ(settings.FileCfg, "after.opd");  // the next field is untouched

  const std::string long_ip = "192.168.100.2001234";
  StoreSettingsValue(&settings, ValueNamed("Ip"), long_ip.data(), long_ip.size());
  EXPECT_STREQ(settings.Ip, "192.168.100.200");
  EXPECT_EQ(settings.SocketPort, 4711);
}

TEST(PanelSettingsTest, MissingNumbersBecomeZeroMissingTextsStay) {
  PanelSettings settings{};
  settings.Baud = 4800;
  StoreSettingsText(settings.WrkDir, kSettingsPathChars, "C:\\dryer");
  StoreMissingSettingsValue(&settings, ValueNamed("Baud"));
  StoreMissingSettingsValue(&settings, ValueNamed("WrkDir"));
  EXPECT_EQ(settings.Baud, 0);
  EXPECT_STREQ(settings.WrkDir, "C:\\dryer");
}

TEST(PanelSettingsTest, WrittenValuesReadBackToTheSameRecord) {
  PanelSettings written{};
  written.RegistrySet = 1;
  written.IFaceType = 1;
  written.CommPort = 3;
  written.Baud = 115200;
  written.Parity = 2;
  written.Flow = 3;
  written.DBits = 7;
  written.SBits = 2;
  written.SocketPort = -5000;
  StoreSettingsText(written.Ip, kSettingsIpChars, "192.168.1.20");
  StoreSettingsText(written.FileBmp, kSettingsPathChars, "rk52.bmp");
  StoreSettingsText(written.FileCfg, kSettingsPathChars, "rk52.opd");
  StoreSettingsText(written.FileLcd, kSettingsPathChars, "rk52.lcd");
  StoreSettingsText(written.HelpFile, kSettingsPathChars, "rk52.htm");
  StoreSettingsText(written.ContextHelpFile, kSettingsPathChars, std::string(259, 'c').c_str());

  PanelSettings read{};
  for (const SettingsValue& value : kSettingsWriteOrder) {
    char text[kSettingsValueMaxChars + 1];
    const size_t length = FormatSettingsValue(written, value, text, sizeof text);
    EXPECT_EQ(length, std::strlen(text));
    StoreSettingsValue(&read, value, text, length);
  }
  EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

  char small[4];
  EXPECT_EQ(FormatSettingsValue(written, ValueNamed("Baud"), small, sizeof small), 3u);
  EXPECT_STREQ(small, "115");
}

}  // namespace
