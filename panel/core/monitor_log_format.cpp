// The wsprintf subset behind every monitor line, status text and list diagnostic. Kept to the
// conversions the library's own lines use, so a stray conversion can never read an argument that
// was not passed.
#include "panel/core/monitor_log.h"

#include <cstdint>

namespace panel {

namespace {

// Appends characters to a bounded buffer; everything past the capacity is dropped.
struct BoundedOutput {
  char* buffer;
  size_t capacity;  // characters that fit, not counting the terminating NUL
  size_t length;
};

void Put(BoundedOutput* out, char c) {
  if (out->length < out->capacity) {
    out->buffer[out->length] = c;
    out->length++;
  }
}

void PutRepeated(BoundedOutput* out, char c, int count) {
  for (int i = 0; i < count; ++i) Put(out, c);
}

void PutText(BoundedOutput* out, const char* text, size_t text_length) {
  for (size_t i = 0; i < text_length; ++i) Put(out, text[i]);
}

size_t TextLength(const char* text) {
  size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

struct Conversion {
  bool left_justify;
  bool zero_pad;
  int width;
};

// Writes `digits` (no sign) with an optional minus sign, padded to the conversion's width.
void PutNumber(BoundedOutput* out, const Conversion& conversion, bool negative, const char* digits,
               int digit_count) {
  const int used = digit_count + (negative ? 1 : 0);
  const int padding = conversion.width > used ? conversion.width - used : 0;
  if (conversion.left_justify) {
    if (negative) Put(out, '-');
    PutText(out, digits, static_cast<size_t>(digit_count));
    PutRepeated(out, ' ', padding);
  } else if (conversion.zero_pad) {
    if (negative) Put(out, '-');
    PutRepeated(out, '0', padding);
    PutText(out, digits, static_cast<size_t>(digit_count));
  } else {
    PutRepeated(out, ' ', padding);
    if (negative) Put(out, '-');
    PutText(out, digits, static_cast<size_t>(digit_count));
  }
}

// Digits of `value` in `base`, most significant first; returns the count.
int ToDigits(uintmax_t value, unsigned base, bool upper_case, char* digits) {
  const char* alphabet = upper_case ? "0123456789ABCDEF" : "0123456789abcdef";
  char reversed[sizeof(uintmax_t) * 8];
  int count = 0;
  do {
    reversed[count++] = alphabet[value % base];
    value /= base;
  } while (value != 0);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  return count;
}

void PutString(BoundedOutput* out, const Conversion& conversion, const char* text) {
  if (text == nullptr) text = "(null)";
  const size_t length = TextLength(text);
  const int padding =
      conversion.width > static_cast<int>(length) ? conversion.width - static_cast<int>(length) : 0;
  if (!conversion.left_justify) PutRepeated(out, ' ', padding);
  PutText(out, text, length);
  if (conversion.left_justify) PutRepeated(out, ' ', padding);
}

}  // namespace

int FormatTextV(char* buffer, size_t buffer_size, const char* format, va_list args) {
  if (buffer == nullptr || buffer_size == 0) return 0;
  BoundedOutput out{buffer, buffer_size - 1, 0};
  if (format == nullptr) format = "";

  const char* p = format;
  while (*p != '\0') {
    if (*p != '%') {
      Put(&out, *p++);
      continue;
    }
    const char* start = p++;  // the '%', kept to copy an unknown conversion literally
    Conversion conversion{false, false, 0};
    for (;; ++p) {
      if (*p == '-') {
        conversion.left_justify = true;
      } else if (*p == '0') {
        conversion.zero_pad = true;
      } else {
        break;
      }
    }
    while (*p >= '0' && *p <= '9') {
      // Widths beyond a line's length are meaningless; stop growing before they overflow.
      if (conversion.width < kStatusTextMaxChars) conversion.width = conversion.width * 10 + (*p - '0');
      ++p;
    }
    const bool single_byte_string = (p[0] == 'h' && p[1] == 's');
    if (single_byte_string) ++p;

    char digits[sizeof(uintmax_t) * 8];
    switch (*p) {
      case 's':
        PutString(&out, conversion, va_arg(args, const char*));
        ++p;
        break;
      case 'd':
      case 'i': {
        const int value = va_arg(args, int);
        const bool negative = value < 0;
        // Widened first, so the magnitude of INT_MIN needs no special case.
        const int64_t wide = value;
        const uintmax_t magnitude = static_cast<uintmax_t>(negative ? -wide : wide);
        PutNumber(&out, conversion, negative, digits, ToDigits(magnitude, 10, false, digits));
        ++p;
        break;
      }
      case 'x':
      case 'X': {
        const unsigned value = va_arg(args, unsigned);
        PutNumber(&out, conversion, false, digits, ToDigits(value, 16, *p == 'X', digits));
        ++p;
        break;
      }
      case 'p': {
        // The address in upper-case hex, two digits per byte of a pointer, as wsprintf prints it.
        const uintptr_t value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
        int count = ToDigits(value, 16, true, digits);
        PutRepeated(&out, '0', static_cast<int>(sizeof(void*) * 2) - count);
        PutText(&out, digits, static_cast<size_t>(count));
        ++p;
        break;
      }
      case '%':
        Put(&out, '%');
        ++p;
        break;
      default:
        // Not a conversion of this subset: shown as written, no argument taken.
        if (*p != '\0') ++p;
        PutText(&out, start, static_cast<size_t>(p - start));
        break;
    }
  }
  buffer[out.length] = '\0';
  return static_cast<int>(out.length);
}

int FormatText(char* buffer, size_t buffer_size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = FormatTextV(buffer, buffer_size, format, args);
  va_end(args);
  return written;
}

}  // namespace panel
