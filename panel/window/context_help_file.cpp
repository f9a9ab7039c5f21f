// The context-help reader: splits the file into entries on a data list and looks texts up in it.
#include "panel/window/context_help_file.h"

#include <cstdlib>
#include <cstring>

#include "panel/core/data_lists.h"
#include "panel/window/whole_file.h"

namespace panel {

namespace {

tagLISTHEAD* help_entries = nullptr;  // the kept entries, null until a file was accepted

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kTextKey[] = "Text=";
constexpr char kNameKey[] = "Name=";
constexpr char kButtonSection[] = "[Taste]";
constexpr char kLedSection[] = "[Led]";
constexpr char kLcdSection[] = "[Lcd]";

// The keys whose presence in an entry decides where it ends, one bit each.
enum EntryKey : unsigned {
  kHasHeader = 1u << 0,
  kHasButtonSection = 1u << 1,
  kHasLedSection = 1u << 2,
  kHasNameKey = 1u << 3,
  kHasTextKey = 1u << 4,
};

struct KeyText {
  EntryKey bit;
  const char* text;
};

constexpr KeyText kEntryKeys[] = {
    {kHasHeader, kContextHelpHeader}, {kHasButtonSection, kButtonSection},
    {kHasLedSection, kLedSection},    {kHasNameKey, kNameKey},
    {kHasTextKey, kTextKey},
};

// The entry being collected; characters past the limit are dropped. The keys found so far are
// kept as bits, so that each line of a long text is searched once, when its CR arrives, and not
// the whole entry again at every CR: no key holds a CR or LF, so none spans a line break.
struct Entry {
  char text[kContextHelpEntryMaxChars + 1];
  size_t length;
  size_t searched;        // text[0, searched) has been searched for the keys
  unsigned keys;          // EntryKey bits found in text[0, searched)
  bool after_line_break;  // no character but CR and LF since the last line break kept in it
};

void Reset(Entry* entry) {
  entry->length = 0;
  entry->text[0] = '\0';
  entry->searched = 0;
  entry->keys = 0;
  entry->after_line_break = false;
}

// Searches the characters added since the last search (one line) for the keys not yet found.
unsigned FoundKeys(Entry* entry) {
  const char* fresh = entry->text + entry->searched;
  for (const KeyText& key : kEntryKeys) {
    if ((entry->keys & key.bit) == 0 && std::strstr(fresh, key.text) != nullptr) {
      entry->keys |= key.bit;
    }
  }
  entry->searched = entry->length;
  return entry->keys;
}

void Add(Entry* entry, char c) {
  if (entry->length < kContextHelpEntryMaxChars) {
    entry->text[entry->length++] = c;
    entry->text[entry->length] = '\0';
  }
}

void Store(tagLISTHEAD* list, Entry* entry) {
  tagDATA* record = CreateNewEntry(reinterpret_cast<const unsigned char*>(entry->text),
                                   static_cast<int32_t>(entry->length));
  if (record != nullptr && ListAppend(list, record) == 0) {
    std::free(record->bytes);
    std::free(record);
  }
  Reset(entry);
}

// A text entry ends at an empty line; the line break before it is cut off.
void CutClosingLineBreak(Entry* entry) {
  for (int i = 0; i < 2 && entry->length > 0; ++i) {
    const char last = entry->text[entry->length - 1];
    if (last != kCr && last != kLf) break;
    entry->text[--entry->length] = '\0';
  }
}

enum class AtCr { kEnd, kContinue };

// What a CR does to the entry collected so far (its keys already searched).
AtCr DecideAtCr(Entry* entry) {
  const unsigned keys = entry->keys;
  if ((keys & (kHasButtonSection | kHasLedSection)) != 0) return AtCr::kEnd;
  if ((keys & kHasNameKey) != 0) return AtCr::kEnd;
  if ((keys & kHasTextKey) == 0) return AtCr::kEnd;
  if (entry->after_line_break) {
    CutClosingLineBreak(entry);
    return AtCr::kEnd;
  }
  return AtCr::kContinue;
}

// Splits `data` into entries on `list`; false when the file is rejected.
bool SplitEntries(const char* data, size_t size, tagLISTHEAD* list) {
  static Entry entry;  // large for the stack; the reader is not re-entered
  Reset(&entry);
  size_t i = 0;
  while (i < size) {
    const char c = data[i];
    if (c != kCr) {
      if (c != '\0') Add(&entry, c);
      if (c != kLf) entry.after_line_break = false;
      ++i;
      continue;
    }
    const unsigned keys = FoundKeys(&entry);
    if (list->count == 0 && (keys & kHasHeader) == 0) return false;
    if (DecideAtCr(&entry) == AtCr::kContinue) {
      Add(&entry, c);
      entry.after_line_break = true;
      ++i;
      continue;
    }
    Store(list, &entry);
    while (i < size && (data[i] == kCr || data[i] == kLf)) ++i;
  }
  if (entry.length > 0) {
    if (list->count == 0 && (FoundKeys(&entry) & kHasHeader) == 0) return false;
    Store(list, &entry);
  }
  return list->count > 0;
}

const char* EntryText(const tagNODE* node) {
  return reinterpret_cast<const char*>(node->record->bytes);
}

const char* SectionOf(uint32_t kind) {
  switch (kind) {
    case kRectKindButton: return kButtonSection;
    case kRectKindLed: return kLedSection;
    case kRectKindLcd: return kLcdSection;
    default: return nullptr;
  }
}

}  // namespace

int ReadContextHelpBytes(const char* data, size_t size) {
  if (help_entries != nullptr) return 1;
  tagLISTHEAD* list = ListCreate();
  if (list == nullptr) return 0;
  if (!SplitEntries(data, size, list)) {
    DelList(list);
    return 0;
  }
  help_entries = list;
  return 1;
}

int ReadContextHelpFile(const char* path) {
  if (help_entries != nullptr) return 1;
  size_t size = 0;
  char* data = ReadWholeFile(path, &size);
  if (data == nullptr) return 0;
  const int result = ReadContextHelpBytes(data, size);
  std::free(data);
  return result;
}

const char* FindContextHelp(uint32_t kind, const char* name) {
  const char* section = SectionOf(kind);
  if (help_entries == nullptr || section == nullptr || name == nullptr) return nullptr;
  const tagNODE* node = help_entries->first;
  while (node != nullptr && std::strcmp(EntryText(node), section) != 0) node = node->next;
  while (node != nullptr && std::strstr(EntryText(node), name) == nullptr) node = node->next;
  if (node == nullptr || node->next == nullptr) return nullptr;
  const char* text = std::strstr(EntryText(node->next), kTextKey);
  return text != nullptr ? text + std::strlen(kTextKey) : nullptr;
}

void DeleteContextHelp() {
  DelList(help_entries);
  help_entries = nullptr;
}

}  // namespace panel
