#include "app/shell/cp1252_text.h"

#include <cstdint>

namespace shell {

namespace {

// Unicode of the bytes 0x80..0x9F; from 0xA0 on the byte is its own code point (Latin-1).
constexpr uint16_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};
constexpr uint8_t kFirstHigh = 0x80;
constexpr uint8_t kFirstLatin1 = 0xA0;

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const uint8_t byte = static_cast<uint8_t>(ch);
    const uint32_t code =
        byte >= kFirstHigh && byte < kFirstLatin1 ? kHighControlRange[byte - kFirstHigh] : byte;
    AppendUtf8(code, &out);
  }
  return out;
}

}  // namespace shell
