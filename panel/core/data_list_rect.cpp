// The area list: the button, LED and LCD areas of the panel bitmap, filled from the area file and
// by edit mode. Changed on the UI thread only, so its lines go to the TX monitor.
#include <atomic>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace panel::data_list_detail;

namespace {

std::atomic<tagRLISTHEAD*> g_rect_list{nullptr};

const FamilyLines kRectLines = {
    kTxMonitorLines,
    "ListCreate Adresse von PRLISTHEAD *listhead = %p\r\n",
    "ListAppend Adresse von PRECTNODE *pAppend = %p\r\n",
    "GetHead Adresse von PRECTNODE *pCur = %p\r\n",
    "GetHead Adresse von PRECTNODE *pCur = %p\r\n",
    "SetRectList Listenkopf bereits gesetzt\r\n",
};

constexpr char* tagRECTPROP::* kRectTexts[] = {&tagRECTPROP::name, &tagRECTPROP::tooltip};

void FreeRect(tagRECTPROP* record) { FreeRecord(record, kRectTexts); }

}  // namespace

extern "C" {

void InitCriticalRectSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
}

tagRLISTHEAD* CreateRectList(void) { return CreateHead<tagRLISTHEAD>(kRectLines); }

void SetRectList(tagRLISTHEAD* head) { SetLibraryList(g_rect_list, head, kRectLines); }

tagRLISTHEAD* GetRectList(void) { return g_rect_list.load(); }

tagRECTPROP* CreateRectEntry(const tagRECTPROP* source) {
  if (source == nullptr) return nullptr;
  return CopyRecord(source, kRectTexts);
}

int AppendRect(tagRLISTHEAD* head, tagRECTPROP* record) {
  return AppendRecord(AreaListLock(), head, record, kRectLines);
}

tagRECTNODE* GetRectHead(tagRLISTHEAD* head) {
  return HandOutFirst(head != nullptr ? head->first : nullptr, kRectLines);
}

tagRECTNODE* GetNextRectEntry(tagRECTNODE* node) { return HandOutNext(node, kRectLines); }

int RemoveRect(tagRLISTHEAD* head, tagRECTPROP* record) {
  return RemoveRecord(AreaListLock(), head, record, true, kRectLines, FreeRect);
}

void DelRectList(tagRLISTHEAD* head) {
  if (head == nullptr) return;
  ReleaseSlot(g_rect_list, head);
  DeleteWholeList(head, kRectLines, FreeRect);
}

}  // extern "C"
