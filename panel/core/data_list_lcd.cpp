// The LCD list: the LCD types read from the LCD types file. It has no library-wide instance (the
// types reader keeps its own) and shares the area list's lock.
#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace panel::data_list_detail;

namespace {

// Initialised with the others for the export interface; no LCD list operation takes it.
std::mutex g_lcd_list_section;

const FamilyLines kLcdLines = {
    kTxMonitorLines,
    "ListCreate Adresse von PLCDLISTHEAD *listhead = %p\r\n",
    "ListAppend Adresse von PLCDNODE *pAppend = %p\r\n",
    "GetHead Adresse von PLCDNODE *pCur = %p\r\n",
    "GetNextEntry Adresse von PLCDNODE *pCur = %p\r\n",
    nullptr,
};

constexpr char* tagLCDPROP::* kLcdTexts[] = {&tagLCDPROP::name, &tagLCDPROP::type,
                                             &tagLCDPROP::tooltip, &tagLCDPROP::backlight,
                                             &tagLCDPROP::font};

void FreeLcd(tagLCDPROP* record) { FreeRecord(record, kLcdTexts); }

}  // namespace

extern "C" {

void InitCriticalLcdSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
  (void)g_lcd_list_section;
}

tagLCDLISTHEAD* CreateLcdList(void) { return CreateHead<tagLCDLISTHEAD>(kLcdLines); }

tagLCDPROP* CreateLcdEntry(const tagLCDPROP* source) {
  if (source == nullptr) return nullptr;
  return CopyRecord(source, kLcdTexts);
}

int AppendLcd(tagLCDLISTHEAD* head, tagLCDPROP* record) {
  // Numbered by the count before the append: 0, 1, 2, ... in step with the LCD menu entries.
  return AppendRecord(AreaListLock(), head, record, kLcdLines,
                      [](tagLCDLISTHEAD* list, tagLCDNODE* node) { node->number = list->count - 1; });
}

tagLCDNODE* GetLcdHead(tagLCDLISTHEAD* head) {
  return HandOutFirst(head != nullptr ? head->first : nullptr, kLcdLines);
}

tagLCDNODE* GetNextLcdEntry(tagLCDNODE* node) { return HandOutNext(node, kLcdLines); }

int RemoveLcd(tagLCDLISTHEAD* head, tagLCDPROP* record) {
  return RemoveRecord(AreaListLock(), head, record, false, kLcdLines, FreeLcd);
}

void DelLcdList(tagLCDLISTHEAD* head) { DeleteWholeList(head, kLcdLines, FreeLcd); }

}  // extern "C"
