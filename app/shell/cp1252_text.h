// Texts of the panel's files (area names, tooltips) are code page 1252; files for people and
// tools (recorded scenarios, siccora-sim's output) are UTF-8. One conversion for both.
#pragma once

#include <string>

namespace shell {

// Each byte as its code page 1252 character in UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number,
// as Windows converts them, so no byte is lost.
std::string Cp1252ToUtf8(const std::string& text);

}  // namespace shell
