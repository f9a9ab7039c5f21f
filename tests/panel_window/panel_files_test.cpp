// Opening and saving panel files by name, and the dryer's data set as the build makes it.
#include "panel/window/panel_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"
#include "panel/window/area_file.h"
#include "panel/window/context_help_file.h"
#include "panel/window/file_replace.h"
#include "panel/window/lcd_types_file.h"
#include "panel_files_support.h"
#include "tools/rk52_layout.h"

using namespace panel;

namespace {

int settings_saved = 0;
void CountSave(void*) { ++settings_saved; }

// The platform saves the settings; here it only counts the saves.
class PanelFileNamesTest : public PanelFilesTest {
 protected:
  void SetUp() override {
    PanelFilesTest::SetUp();
    settings_saved = 0;
    PanelPlatform platform{};
    platform.save_settings = CountSave;
    InstallPanelPlatform(platform);
  }
};

TEST_F(PanelFileNamesTest, OpenDecidesByTheNamesExtension) {
  SetOptions(kOptionLcdList);
  ASSERT_TRUE(WriteBytes(Path("types.lcd"), "[LCD TYPES]\r\nName=A\r\n"));
  EXPECT_EQ(OpenPanelFile(Path("PANEL.BMP").c_str(), &settings_), kOpenedNothing);
  EXPECT_EQ(OpenPanelFile(Path("notes.txt").c_str(), &settings_), kOpenedNothing);
  EXPECT_EQ(settings_saved, 0);
  EXPECT_STREQ(settings_.FileBmp, "");

  EXPECT_EQ(OpenPanelFile(Path("panel.bmp").c_str(), &settings_), kOpenedPanel);
  EXPECT_EQ(std::string(settings_.FileBmp), Path("panel.bmp"));
  EXPECT_EQ(OpenPanelFile(Path("panel.bmp").c_str(), &settings_), kOpenedPanel);
  EXPECT_EQ(settings_saved, 1);  // the same name again saves nothing

  // A missing area file still asks for a reload.
  EXPECT_EQ(OpenPanelFile(Path("missing.opd").c_str(), &settings_), kOpenedPanel);
  EXPECT_EQ(std::string(settings_.FileCfg), Path("missing.opd"));
  EXPECT_EQ(settings_saved, 2);

  EXPECT_EQ(OpenPanelFile(Path("types.lcd").c_str(), &settings_), kOpenedLcdTypes);
  EXPECT_EQ(std::string(settings_.FileLcd), Path("types.lcd"));
  ASSERT_NE(GetLcdTypes(), nullptr);
  EXPECT_EQ(GetLcdTypes()->count, 1);
  SetOptions(0);
  EXPECT_EQ(OpenPanelFile(Path("types.lcd").c_str(), &settings_), kOpenedNothing);
}

TEST_F(PanelFileNamesTest, SaveWritesOnlyAreaFiles) {
  EXPECT_EQ(SavePanelFile(Path("picture.bmp").c_str(), &settings_), 1);
  EXPECT_FALSE(FileExists(Path("picture.bmp")));
  EXPECT_EQ(std::string(settings_.FileBmp), Path("picture.bmp"));
  EXPECT_EQ(SavePanelFile(Path("types.lcd").c_str(), &settings_), 0);
  EXPECT_FALSE(FileExists(Path("types.lcd")));
  EXPECT_EQ(settings_saved, 1);

  ASSERT_TRUE(WriteBytes(Path("panel.opd"), std::string(5000, 'x')));  // replaced, not appended to
  EXPECT_EQ(SavePanelFile(Path("panel.opd").c_str(), &settings_), 1);
  EXPECT_EQ(settings_saved, 2);
  PanelSettings read{};
  EXPECT_EQ(ReadAreaFile(Path("panel.opd").c_str(), &read), 1);
  EXPECT_EQ(std::string(read.FileCfg), Path("panel.opd"));
  EXPECT_EQ(std::string(read.FileBmp), Path("picture.bmp"));
  EXPECT_EQ(SavePanelFile(Path("no/such/folder/panel.opd").c_str(), &settings_), 0);
}

// A file seam that fails at one step; its write takes half the bytes first, as a full disk does.
enum class FailAt { kNothing, kCreate, kWrite, kClose, kReplace };
FailAt fail_at = FailAt::kNothing;

void* CreateOrFail(const char* path) {
  return fail_at == FailAt::kCreate ? nullptr : DefaultFileSeam().create(path);
}
int WriteOrFailHalfWay(void* file, const void* bytes, size_t count) {
  if (fail_at != FailAt::kWrite) return DefaultFileSeam().write(file, bytes, count);
  DefaultFileSeam().write(file, bytes, count / 2);
  return 0;
}
int CloseOrFail(void* file) {
  const int closed = DefaultFileSeam().close(file);
  return fail_at == FailAt::kClose ? 0 : closed;
}
int ReplaceOrFail(const char* from, const char* to) {
  return fail_at == FailAt::kReplace ? 0 : DefaultFileSeam().replace(from, to);
}

TEST_F(PanelFileNamesTest, FailedSaveKeepsTheOldFileWhole) {
  FileSeam seam = DefaultFileSeam();
  seam.create = CreateOrFail;
  seam.write = WriteOrFailHalfWay;
  seam.close = CloseOrFail;
  seam.replace = ReplaceOrFail;
  InstallFileSeam(seam);
  const std::string path = Path("panel.opd");
  const std::string old_bytes = std::string("*.opd 1 as the user saved it") + std::string(900, 'o');
  const struct {
    FailAt step;
    int result;
  } cases[] = {{FailAt::kCreate, 0}, {FailAt::kWrite, 0}, {FailAt::kClose, 0},
               {FailAt::kReplace, 0}, {FailAt::kNothing, 1}};
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteBytes(path, old_bytes));
    fail_at = c.step;
    EXPECT_EQ(SavePanelFile(path.c_str(), &settings_), c.result) << static_cast<int>(c.step);
    EXPECT_FALSE(FileExists(path + kReplacementSuffix)) << static_cast<int>(c.step);
    if (c.result == 0) {
      EXPECT_EQ(ReadBytes(path), old_bytes) << static_cast<int>(c.step);
    }
  }
  PanelSettings read{};
  EXPECT_EQ(ReadAreaFile(path.c_str(), &read), 1);  // the last save replaced it
  EXPECT_EQ(std::string(read.FileCfg), path);
  fail_at = FailAt::kNothing;
}

// ---- The data set ----------------------------------------------------------------------------

std::string DataSet(const char* name) { return std::string(SICCORA_DATASET_DIR) + "/" + name; }

const tagRECTPROP* AreaWithId(uint32_t kind, int32_t id) {
  for (tagRECTNODE* node = GetRectList()->first; node != nullptr; node = node->next) {
    if (node->record->kind == kind && node->record->id == id) return node->record;
  }
  return nullptr;
}

// The text of an area's own entry, as the file spells it after "Name=<name>" and "Text=".
std::string OwnHelpText(const std::string& file, const std::string& name) {
  const std::string start = "Name=" + name + "\r\nText=";
  const size_t begin = file.find(start);
  if (begin == std::string::npos) return "<no entry>";
  const size_t text = begin + start.size();
  return file.substr(text, file.find("\r\n\r\n", text) - text);
}

TEST_F(PanelFilesTest, DataSetHasTheDryersAreasTypesAndHelpTexts) {
  PanelSettings settings{};
  ASSERT_EQ(ReadAreaFile(DataSet("rk52.opd").c_str(), &settings), 1);
  EXPECT_STREQ(settings.FileCfg, "rk52.opd");
  EXPECT_STREQ(settings.FileBmp, "rk52.bmp");
  EXPECT_EQ(settings.LcdRect[0], rk52::kLcd.left);
  EXPECT_EQ(settings.LcdRect[1], rk52::kLcd.top);
  EXPECT_EQ(settings.LcdRect[2], rk52::kLcd.right);
  EXPECT_EQ(settings.LcdRect[3], rk52::kLcd.bottom);
  EXPECT_EQ(GetRectList()->count, rk52::kButtonCount + rk52::kLedCount);

  const std::string help_file = ReadBytes(DataSet("rk52.ctx"));
  ASSERT_EQ(ReadContextHelpFile(DataSet("rk52.ctx").c_str()), 1);
  auto expect_area = [&](uint32_t kind, int id, const char* name, const rk52::Rect& rect) {
    const tagRECTPROP* area = AreaWithId(kind, id);
    ASSERT_NE(area, nullptr) << name;
    EXPECT_STREQ(area->name, name);
    EXPECT_EQ(area->rect.left, rect.left);
    EXPECT_EQ(area->rect.top, rect.top);
    EXPECT_EQ(area->rect.right, rect.right);
    EXPECT_EQ(area->rect.bottom, rect.bottom);
    EXPECT_GT(std::strlen(area->tooltip), 10u) << name;
    const char* help = FindContextHelp(kind, name);
    ASSERT_NE(help, nullptr) << name;
    EXPECT_EQ(help, OwnHelpText(help_file, name)) << name;
  };
  for (const rk52::Button& button : rk52::kButtons) {
    expect_area(kRectKindButton, button.id, button.name, button.rect);
  }
  for (const rk52::Led& led : rk52::kLeds) {
    expect_area(kRectKindLed, led.id, led.name, led.rect);
    const tagRECTPROP* area = AreaWithId(kRectKindLed, led.id);
    ASSERT_NE(area, nullptr);
    EXPECT_NE(area->active_color, area->inactive_color);
    EXPECT_GE(area->inactive_color, 0);
    EXPECT_EQ(area->color, area->inactive_color);
  }
  ASSERT_NE(FindContextHelp(kRectKindLcd, "LCD"), nullptr);
  EXPECT_EQ(FindContextHelp(kRectKindLcd, "LCD"), OwnHelpText(help_file, "LCD"));

  ASSERT_EQ(ReadLcdTypesFile(DataSet("rk52.lcd").c_str()), 1);
  ASSERT_EQ(GetLcdTypes()->count, 5);
  const tagLCDPROP* dryer = FindLcd(GetLcdTypes(), settings.LcdTypeName);
  ASSERT_NE(dryer, nullptr);
  EXPECT_EQ(dryer->columns, 16);
  EXPECT_EQ(dryer->rows, 2);
  EXPECT_EQ(dryer->font_x, 5);
  EXPECT_FLOAT_EQ(dryer->width, 80.0f);
}

}  // namespace

namespace {

// LEDs switched by the application before the panel reads its area file keep their state: the
// areas read later take the remembered "@L" byte.
TEST_F(PanelFileNamesTest, AreasReadAfterAnLedByteTakeItsState) {
  ApplyLedBits(0x01);
  ASSERT_EQ(OpenPanelFile(DataSet("rk52.opd").c_str(), &settings_), kOpenedPanel);
  const tagRECTPROP* first = AreaWithId(kRectKindLed, 1);
  const tagRECTPROP* second = AreaWithId(kRectKindLed, 2);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->color, first->active_color);
  EXPECT_EQ(second->color, second->inactive_color);
  EXPECT_NE(first->active_color, first->inactive_color);
}

}  // namespace
