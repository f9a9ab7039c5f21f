#include "panel_files_support.h"

#include "panel/core/panel_platform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "panel/core/option_word.h"
#include "panel/window/panel_files.h"

using namespace panel;

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

AreaBytes& AreaBytes::Word(uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(word >> shift));
  return *this;
}

AreaBytes& AreaBytes::Text(const std::string& text) {
  Word(static_cast<uint32_t>(text.size() + 1));
  bytes += text;
  bytes.push_back('\0');
  return *this;
}

AreaBytes& AreaBytes::Raw(const std::string& raw) {
  bytes += raw;
  return *this;
}

AreaBytes AreaBytes::Header(const std::string& cfg, const std::string& bmp,
                            const std::string& lcd, const int32_t (&rect)[4],
                            uint32_t area_bytes) {
  AreaBytes file;
  file.Word(8).Raw(std::string("*.opd 1\0", 8)).Word(0).Text(cfg).Text(bmp).Text(lcd);
  file.Word(16).Raw(std::string(12, '\x5A'));
  for (int32_t side : rect) file.Word(static_cast<uint32_t>(side));
  file.Word(44).Word(area_bytes);
  return file;
}

AreaBytes& AreaBytes::Area(const std::string& name, const std::string& tooltip,
                           const tagAREARECT& rect, uint32_t kind, int32_t id, int32_t active,
                           int32_t inactive, int32_t current) {
  Text(name).Text(tooltip);
  for (int32_t value : {rect.left, rect.top, rect.right, rect.bottom}) {
    Word(static_cast<uint32_t>(value));
  }
  Word(kind);
  for (int32_t value : {id, active, inactive, current}) Word(static_cast<uint32_t>(value));
  return *this;
}

std::vector<std::string> AreaLines() {
  std::vector<std::string> lines;
  tagRLISTHEAD* list = GetRectList();
  if (list == nullptr) return lines;
  for (tagRECTNODE* node = list->first; node != nullptr; node = node->next) {
    const tagRECTPROP& area = *node->record;
    char line[600];
    std::snprintf(line, sizeof line, "%u %d %s|%s (%d %d %d %d) %d %d %d", area.kind, area.id,
                  area.name ? area.name : "-", area.tooltip ? area.tooltip : "-", area.rect.left,
                  area.rect.top, area.rect.right, area.rect.bottom, area.active_color,
                  area.inactive_color, area.color);
    lines.push_back(line);
  }
  return lines;
}

void PanelFilesTest::SetUp() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  folder_ = (std::filesystem::temp_directory_path() /
             ("siccora_panel_files_" + std::to_string(::getpid()) + "_" + test->name()))
                .string();
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(folder_);
  ResetPanelLibraryForTests();
  SetRectList(CreateRectList());
}

void PanelFilesTest::TearDown() {
  ResetPanelLibraryForTests();
  std::filesystem::remove_all(folder_);
}
