// Helpers for the panel file tests: a scratch folder per test, whole files as bytes, an area file
// composed field by field (independently of the library's writer, so damaged files are easy to
// make), and a fixture that starts each test without areas, LCD types or context help.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/core/data_lists.h"
#include "panel/link/panel_settings.h"

std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Composes area file bytes.
struct AreaBytes {
  std::string bytes;
  AreaBytes& Word(uint32_t word);
  AreaBytes& Text(const std::string& text);  // length with the zero byte, text, zero byte
  AreaBytes& Raw(const std::string& raw);
  // Fields 1..14 with the given texts, LCD rectangle and area bytes.
  static AreaBytes Header(const std::string& cfg, const std::string& bmp, const std::string& lcd,
                          const int32_t (&rect)[4], uint32_t area_bytes);
  AreaBytes& Area(const std::string& name, const std::string& tooltip, const tagAREARECT& rect,
                  uint32_t kind, int32_t id, int32_t active, int32_t inactive, int32_t current);
};

// The areas of the library's area list as (kind, id, name) text lines, for comparisons.
std::vector<std::string> AreaLines();

class PanelFilesTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  panel::PanelSettings settings_{};

 private:
  std::string folder_;
};
