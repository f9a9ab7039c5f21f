// Saving the area file on Windows: the new file replaces the old one in one step (MoveFileExA),
// and a target that refuses to be replaced (read-only) keeps its bytes while the save reports 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "panel/core/data_lists.h"
#include "panel/core/panel_platform.h"
#include "panel/link/panel_settings.h"
#include "panel/window/area_file.h"
#include "panel/window/file_replace.h"
#include "panel/window/file_replace_win32.h"
#include "panel/window/panel_files.h"

using namespace panel;

namespace {

constexpr char kAreaFile[] = "saved.opd";
constexpr char kReplacement[] = "saved.opd.new";
const std::string kOldBytes = "the user's area file, as it was saved before";

std::string FileBytes(const char* path) {
  std::string bytes;
  HANDLE file =
      CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const char* path, const std::string& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return written == bytes.size();
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

class AreaFileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPanelLibraryForTests();
    InstallWin32FileSeam();
    SetRectList(CreateRectList());
    tagRECTPROP area{};
    area.name = const_cast<char*>("Off");
    area.tooltip = const_cast<char*>("Switch off");
    area.kind = kRectKindButton;
    area.id = 1;
    area.rect = tagAREARECT{82, 246, 178, 292};
    ASSERT_EQ(AppendRect(GetRectList(), CreateRectEntry(&area)), 1);
    SetFileAttributesA(kAreaFile, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(kAreaFile);
    DeleteFileA(kReplacement);
    ASSERT_TRUE(WriteFileBytes(kAreaFile, kOldBytes));
  }
  void TearDown() override {
    SetFileAttributesA(kAreaFile, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(kAreaFile);
    ResetPanelLibraryForTests();
  }
  PanelSettings settings_{};
};

TEST_F(AreaFileSave, NewFileReplacesTheOldOne) {
  EXPECT_EQ(SavePanelFile(kAreaFile, &settings_), 1);
  EXPECT_FALSE(Exists(kReplacement));
  PanelSettings read{};
  ASSERT_EQ(ReadAreaFile(kAreaFile, &read), 1);
  EXPECT_STREQ(read.FileCfg, kAreaFile);
  ASSERT_NE(GetRectList()->first, nullptr);
  EXPECT_STREQ(GetRectList()->first->record->name, "Off");
}

TEST_F(AreaFileSave, ReadOnlyTargetKeepsItsBytes) {
  ASSERT_TRUE(SetFileAttributesA(kAreaFile, FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SavePanelFile(kAreaFile, &settings_), 0);
  EXPECT_EQ(FileBytes(kAreaFile), kOldBytes);
  EXPECT_FALSE(Exists(kReplacement));
}

}  // namespace
