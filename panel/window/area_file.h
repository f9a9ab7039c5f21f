// The area file (".opd"): the button, LED and LCD areas drawn on the device picture, with the
// names of the files that belong to them and the saved LCD rectangle. Binary, little-endian,
// no padding; texts are stored with their zero byte, preceded by their length including it.
//
//   1  magic length (8)        6  bitmap name length      11 reserved (12 bytes)
//   2  magic "*.opd 1\0"       7  bitmap name             12 LCD rectangle (4 x int32)
//   3  payload size            8  LCD type name length    13 area record size (44)
//   4  configuration length    9  LCD type name           14 area bytes (44 x areas)
//   5  configuration name      10 rectangle block (16)    15 areas
//
// An area record: name length, name, tooltip length, tooltip, rectangle (4 x int32), kind, id,
// active, inactive and current colour (int32 each).
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/core/data_lists.h"
#include "panel/link/panel_settings.h"

namespace panel {

constexpr uint32_t kAreaFileMagicLength = 8;          // "*.opd 1" and its zero byte
constexpr char kAreaFileMagicWritten[] = "*.opd 1";   // the writer's version
constexpr char kAreaFileMagicVersion2[] = "*.opd 2";  // read like version 1
// The format's in-memory record size: fields 13 and 14 count areas in units of it, whatever
// the stored size of a record is.
constexpr uint32_t kAreaFileRecordUnit = 44;
constexpr uint32_t kAreaFileRectBlockLength = 16;  // field 10: the LCD rectangle's bytes
constexpr uint32_t kAreaFileReservedBytes = 12;    // field 11
constexpr uint32_t kAreaFilePayloadExtra = 16;     // added to the payload size of field 3
// The magic and the three file names, their zero byte included, fit a settings path field; a
// longer one (or one of length 0) makes the file damaged.
constexpr uint32_t kAreaFileTextMax = static_cast<uint32_t>(kSettingsPathChars);
// An area's name or tooltip is kept up to this many characters, as many as its property dialog
// edits; a longer stored text (the writer writes any length) is cut to it, the file stays good.
constexpr uint32_t kAreaTextKeptChars = kAreaFileTextMax - 1;
// The smallest stored area record: two empty texts and nine 32-bit words.
constexpr uint32_t kAreaFileMinRecordBytes = 2 * (4 + 1) + 9 * 4;

// Writes fields 1..15 from the settings' FileCfg, FileBmp, saved LCD type name and saved LCD
// rectangle and the `count` areas (an area without a name or tooltip gets an empty text). An
// existing file is replaced in one step (WriteFileInOneStep); 0 when any step fails, and the old
// file is then whole. Needs no list operation, so host tools can link it with file_replace.cpp.
int WriteAreaRecords(const char* path, const PanelSettings& settings,
                     const tagRECTPROP* const* areas, uint32_t count);

// Writes the settings and the library's area list (in list order).
int WriteAreaFile(const char* path, const PanelSettings& settings);

// Reads an area file's bytes: FileCfg, FileBmp, the saved LCD type name and the saved LCD
// rectangle go into `settings`, and the library's area list is replaced by the file's areas, each
// LED starting with its inactive colour. A damaged file (wrong magic; a stored text of length 0
// or beyond the end; a file name longer than kAreaFileTextMax; a rectangle block other than 16; a
// header cut short) changes nothing and gives 0. An area's longer name or tooltip is cut to
// kAreaTextKeptChars. A file cut short among its areas keeps the areas stored
// completely before the cut; the area count never exceeds what the file's size can hold.
int ReadAreaBytes(const uint8_t* data, size_t size, PanelSettings* settings);
// Reads the named file as above; 0 when it cannot be opened (nothing changes then).
int ReadAreaFile(const char* path, PanelSettings* settings);

}  // namespace panel
