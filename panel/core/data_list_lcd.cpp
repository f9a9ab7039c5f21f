// The LCD list: the LCD types read from the LCD types file. It has no library-wide instance (the
// types reader keeps its own) and shares the area list's lock.
#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace data_list_detail;

namespace {

// Initialised with the others for the export interface; no LCD list operation takes it.
std::mutex g_lcd_list_section;

const FamilyLines kLcdLines = {
    ReportToTxMonitor,
    "Speicherplatzmangel\r\n",
    "Liste ist leer\r\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\r\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\r\n",
    "DelList: Daten an Adresse %p gel\xF6scht\r\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\r\n",
};

void FreeLcd(tagLCDPROP* record) {
  std::free(record->name);
  std::free(record->type);
  std::free(record->tooltip);
  std::free(record->backlight);
  std::free(record->font);
  std::free(record);
}

}  // namespace

extern "C" {

void InitCriticalLcdSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
  (void)g_lcd_list_section;
}

tagLCDLISTHEAD* CreateLcdList(void) {
  return CreateHead<tagLCDLISTHEAD>(kLcdLines,
                                    "ListCreate Adresse von PLCDLISTHEAD *listhead = %p\r\n");
}

tagLCDPROP* CreateLcdEntry(const tagLCDPROP* source) {
  if (source == nullptr) return nullptr;
  tagLCDPROP* record = static_cast<tagLCDPROP*>(Allocate(sizeof(tagLCDPROP)));
  if (record == nullptr) return nullptr;
  *record = *source;
  bool failed = false;
  record->name = DuplicateString(source->name, &failed);
  record->type = DuplicateString(source->type, &failed);
  record->tooltip = DuplicateString(source->tooltip, &failed);
  record->backlight = DuplicateString(source->backlight, &failed);
  record->font = DuplicateString(source->font, &failed);
  if (failed) {
    FreeLcd(record);
    return nullptr;
  }
  return record;
}

int AppendLcd(tagLCDLISTHEAD* head, tagLCDPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(AreaListLock());
  // Numbered by the count before the append: 0, 1, 2, ... in step with the LCD menu entries.
  const int32_t number = head->count;
  tagLCDNODE* node = LinkNewNode<tagLCDLISTHEAD, tagLCDNODE>(head, record);
  if (node == nullptr) {
    ReportToTxMonitor(kLcdLines.out_of_memory, nullptr);
    return 0;
  }
  node->number = number;
  ReportToTxMonitor("ListAppend Adresse von PLCDNODE *pAppend = %p\r\n", node);
  return 1;
}

tagLCDNODE* GetLcdHead(tagLCDLISTHEAD* head) {
  if (head == nullptr || head->first == nullptr) {
    ReportToTxMonitor(kLcdLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor("GetHead Adresse von PLCDNODE *pCur = %p\r\n", head->first);
  return head->first;
}

tagLCDNODE* GetNextLcdEntry(tagLCDNODE* node) {
  if (node == nullptr) {
    ReportToTxMonitor(kLcdLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor("GetNextEntry Adresse von PLCDNODE *pCur = %p\r\n", node->next);
  return node->next;
}

int RemoveLcd(tagLCDLISTHEAD* head, tagLCDPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(AreaListLock());
  return RemoveNodesHolding<tagLCDLISTHEAD, tagLCDNODE>(head, record, false, kLcdLines, FreeLcd);
}

void DelLcdList(tagLCDLISTHEAD* head) {
  DeleteWholeList<tagLCDLISTHEAD, tagLCDNODE>(head, kLcdLines, FreeLcd);
}

}  // extern "C"
