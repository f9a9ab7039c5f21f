// The LCD types file (".lcd"): the character LCD modules that can be placed on the panel, one
// block of "key=value" lines per type, after the first line "[LCD TYPES]". Lines end with CR;
// runs of CR and LF between lines are skipped. The reader keeps the types in its own LCD list,
// which each read replaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/core/data_lists.h"

namespace panel {

constexpr char kLcdTypesHeader[] = "[LCD TYPES]";
constexpr int32_t kLcdTypeFirstMenuId = 32891;  // the first type's LCD menu entry; then + 1 each
constexpr size_t kLcdTypesLineMaxChars = 63;    // a longer line is cut to this
constexpr uint8_t kLcdTypeDefaultFontX = 5;     // glyph width of a type without "fontX="
constexpr uint8_t kLcdTypeDefaultFontY = 8;     // glyph height of a type without "fontY="

// Reads the file's bytes: a new LCD list replaces the reader's list; it holds every type with a
// name, in file order. Without the header line, "** This is not a lcd config file\r\n" goes to
// the TX monitor and the list stays empty. Returns 1.
int ReadLcdTypesBytes(const char* data, size_t size);
// Reads the named file as above; 0 when it cannot be opened (nothing changes then).
int ReadLcdTypesFile(const char* path);

// The LCD types read last; null before the first read.
tagLCDLISTHEAD* GetLcdTypes();
// Deletes the LCD types and the reader's line list (library detach).
void DeleteLcdTypes();

}  // namespace panel
