// The settings key as the panel library reads and writes it, in registry roots of the test's own:
// the read order with its conversions and the working directory, the write as strings without a
// NUL in the write order, the round trip, the local machine as second root, and the "Fehler"
// box on every read and write that finds no key.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "panel/link/panel_settings.h"
#include "panel/link/settings_registry_win32.h"
#include "registry_sandbox.h"

using namespace panel;

namespace {

std::string CurrentDirectory() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(folder), folder);
  return folder;
}

class SettingsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sandbox_.ok());
    start_directory_ = CurrentDirectory();
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    work_directory_ = std::string(temp) + "siccora-wrkdir-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(work_directory_.c_str(), nullptr);
  }
  void TearDown() override {
    SetCurrentDirectoryA(start_directory_.c_str());
    RemoveDirectoryA(work_directory_.c_str());
  }

  RegistrySandbox sandbox_;
  std::string start_directory_;
  std::string work_directory_;
};

TEST_F(SettingsRegistry, ReadTakesEveryValueCutsLongTextsAndEntersWrkDir) {
  const std::string long_name(1000, 'c');
  SettingsValues values = InstalledSettings(work_directory_);
  values[2].second = "x3";             // CommPort: not decimal text
  values[3].second = "9600";           // Baud
  values[8].second = "192.168.1.20";   // Ip
  values[9].second = "5000";           // Socket Port
  values[11].second = long_name;       // FileCfg, read whole after a short FileBmp
  values.erase(values.begin() + 13);   // no HelpFile
  values.erase(values.begin() + 7);    // no Parity
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, values));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key), 0);
  const DWORD two_stop_bits = 2;  // not a text: counts as missing
  RegSetValueExA(key, "SBits", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two_stop_bits), 4);
  RegCloseKey(key);

  MessageBoxCatcher boxes(kNoSettingsKeyCaption);
  PanelSettings settings{};
  settings.Parity = 2;
  settings.SBits = 2;
  StoreSettingsText(settings.HelpFile, kSettingsPathChars, "kept.htm");
  EXPECT_TRUE(LoadPanelSettingsFromRegistry(&settings));
  EXPECT_EQ(settings.RegistrySet, 0);
  EXPECT_EQ(settings.CommPort, 0);
  EXPECT_EQ(settings.Baud, 9600);
  EXPECT_EQ(settings.DBits, 8);
  EXPECT_EQ(settings.SBits, 0);
  EXPECT_EQ(settings.Parity, 0);
  EXPECT_STREQ(settings.Ip, "192.168.1.20");
  EXPECT_EQ(settings.SocketPort, 5000);
  EXPECT_STREQ(settings.FileBmp, "rk52.bmp");
  EXPECT_EQ(std::string(settings.FileCfg), long_name.substr(0, kSettingsPathChars - 1));
  EXPECT_STREQ(settings.FileLcd, "rk52.lcd");
  EXPECT_STREQ(settings.HelpFile, "kept.htm");
  EXPECT_STREQ(settings.ContextHelpFile, "rk52.ctx");
  EXPECT_EQ(std::string(settings.WrkDir), work_directory_);
  EXPECT_EQ(CurrentDirectory(), work_directory_);
  EXPECT_EQ(boxes.count(), 0);
}

TEST_F(SettingsRegistry, EmptyWrkDirKeepsTheCurrentDirectory) {
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, InstalledSettings("")));
  PanelSettings settings{};
  EXPECT_TRUE(LoadPanelSettingsFromRegistry(&settings));
  EXPECT_STREQ(settings.FileBmp, "rk52.bmp");
  EXPECT_EQ(CurrentDirectory(), start_directory_);
}

// The order itself is the write table's (tested with the portable record); here every value of
// that table arrives as a string, whole, and nothing else does (WrkDir is never written).
TEST_F(SettingsRegistry, WriteStoresEveryValueAsStringWithoutNulAndReadsBack) {
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, {}));
  PanelSettings written{};
  written.RegistrySet = 1;
  written.IFaceType = 1;
  written.CommPort = 3;
  written.Baud = 115200;
  written.Parity = 2;
  written.Flow = 1;
  written.DBits = 7;
  written.SBits = 2;
  StoreSettingsText(written.Ip, kSettingsIpChars, "10.0.0.7");
  written.SocketPort = -5;
  StoreSettingsText(written.FileBmp, kSettingsPathChars, "a.bmp");
  StoreSettingsText(written.FileCfg, kSettingsPathChars, "b.opd");
  StoreSettingsText(written.FileLcd, kSettingsPathChars, "");
  StoreSettingsText(written.HelpFile, kSettingsPathChars, "manual.htm");
  StoreSettingsText(written.ContextHelpFile, kSettingsPathChars, "c.ctx");
  StoreSettingsText(written.WrkDir, kSettingsPathChars, "C:\\never written");
  EXPECT_TRUE(SavePanelSettingsToRegistry(written));

  const char* const order[kSettingsWriteCount] = {
      "RegistrySet", "IFaceType", "CommPort", "Baud",    "Flow",
      "DBits",       "SBits",     "Ip",       "Socket Port", "Parity",
      "FileBmp",     "FileCfg",   "FileLcd",  "ContextHelpFile", "HelpFile"};
  const char* const data[kSettingsWriteCount] = {
      "1", "1", "3", "115200", "1", "7", "2", "10.0.0.7", "-5", "2",
      "a.bmp", "b.opd", "", "c.ctx", "manual.htm"};
  const std::vector<StoredValue> stored = StoredSettingsValues();
  ASSERT_EQ(stored.size(), static_cast<size_t>(kSettingsWriteCount));
  for (int i = 0; i < kSettingsWriteCount; ++i) {
    EXPECT_STREQ(kSettingsWriteOrder[i].name, order[i]);
    int found = 0;
    for (const StoredValue& value : stored) {
      if (value.name != order[i]) continue;
      ++found;
      EXPECT_EQ(value.data, data[i]) << order[i];
      EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << order[i];
      // Handed over without its NUL; the system adds one itself when the byte after the counted
      // characters is a NUL, as it is here, so either length is the value whole.
      EXPECT_GE(value.length, std::string(data[i]).size()) << order[i];
      EXPECT_LE(value.length, std::string(data[i]).size() + 1) << order[i];
    }
    EXPECT_EQ(found, 1) << order[i];
  }

  PanelSettings read{};
  EXPECT_TRUE(LoadPanelSettingsFromRegistry(&read));
  std::memset(written.WrkDir, 0, sizeof(written.WrkDir));  // never written, read as missing
  EXPECT_EQ(std::memcmp(&read, &written, sizeof(PanelSettings)), 0);
}

TEST_F(SettingsRegistry, LocalMachineServesWhenTheUserHasNoKey) {
  SettingsValues values = InstalledSettings("");
  values[3].second = "2400";
  ASSERT_TRUE(WriteSettingsKey(HKEY_LOCAL_MACHINE, values));
  MessageBoxCatcher boxes(kNoSettingsKeyCaption);
  PanelSettings settings{};
  EXPECT_TRUE(LoadPanelSettingsFromRegistry(&settings));
  EXPECT_EQ(settings.Baud, 2400);
  EXPECT_EQ(boxes.count(), 0);
}

TEST_F(SettingsRegistry, MissingKeyShowsTheBoxOnEveryReadAndWriteAndStoresNothing) {
  MessageBoxCatcher boxes(kNoSettingsKeyCaption);
  PanelSettings settings{};
  settings.RegistrySet = 1;
  settings.CommPort = 2;
  settings.Baud = 4800;
  settings.SocketPort = 7;
  StoreSettingsText(settings.FileBmp, kSettingsPathChars, "kept.bmp");
  EXPECT_FALSE(LoadPanelSettingsFromRegistry(&settings));
  EXPECT_EQ(boxes.count(), 1);
  EXPECT_EQ(boxes.text(), kNoSettingsKeyText);
  EXPECT_TRUE(boxes.information_icon());
  EXPECT_EQ(boxes.owner(), nullptr);
  for (int32_t number : {settings.RegistrySet, settings.IFaceType, settings.CommPort,
                         settings.Baud, settings.Parity, settings.Flow, settings.DBits,
                         settings.SBits, settings.SocketPort}) {
    EXPECT_EQ(number, 0);
  }
  EXPECT_STREQ(settings.FileBmp, "kept.bmp");
  EXPECT_EQ(CurrentDirectory(), start_directory_);

  EXPECT_FALSE(SavePanelSettingsToRegistry(settings));
  EXPECT_EQ(boxes.count(), 2);
  EXPECT_FALSE(SettingsKeyExists(HKEY_CURRENT_USER));
  EXPECT_FALSE(SettingsKeyExists(HKEY_LOCAL_MACHINE));
}

}  // namespace
