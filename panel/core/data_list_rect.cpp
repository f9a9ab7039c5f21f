// The area list: the button, LED and LCD areas of the panel bitmap, filled from the area file and
// by edit mode. Changed on the UI thread only, so its lines go to the TX monitor.
#include <atomic>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace data_list_detail;

namespace {

std::atomic<tagRLISTHEAD*> g_rect_list{nullptr};

const FamilyLines kRectLines = {
    ReportToTxMonitor,
    "Speicherplatzmangel\r\n",
    "Liste ist leer\r\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\r\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\r\n",
    "DelList: Daten an Adresse %p gel\xF6scht\r\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\r\n",
};

const char kRectNodeLine[] = "GetHead Adresse von PRECTNODE *pCur = %p\r\n";

void FreeRect(tagRECTPROP* record) {
  std::free(record->name);
  std::free(record->tooltip);
  std::free(record);
}

}  // namespace

extern "C" {

void InitCriticalRectSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
}

tagRLISTHEAD* CreateRectList(void) {
  return CreateHead<tagRLISTHEAD>(kRectLines,
                                  "ListCreate Adresse von PRLISTHEAD *listhead = %p\r\n");
}

void SetRectList(tagRLISTHEAD* head) {
  if (head == nullptr) return;
  tagRLISTHEAD* none = nullptr;
  if (!g_rect_list.compare_exchange_strong(none, head)) {
    ReportToTxMonitor("SetRectList Listenkopf bereits gesetzt\r\n", nullptr);
  }
}

tagRLISTHEAD* GetRectList(void) { return g_rect_list.load(); }

tagRECTPROP* CreateRectEntry(const tagRECTPROP* source) {
  if (source == nullptr) return nullptr;
  tagRECTPROP* record = static_cast<tagRECTPROP*>(Allocate(sizeof(tagRECTPROP)));
  if (record == nullptr) return nullptr;
  *record = *source;
  bool failed = false;
  record->name = DuplicateString(source->name, &failed);
  record->tooltip = DuplicateString(source->tooltip, &failed);
  if (failed) {
    FreeRect(record);
    return nullptr;
  }
  return record;
}

int AppendRect(tagRLISTHEAD* head, tagRECTPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(AreaListLock());
  tagRECTNODE* node = LinkNewNode<tagRLISTHEAD, tagRECTNODE>(head, record);
  if (node == nullptr) {
    ReportToTxMonitor(kRectLines.out_of_memory, nullptr);
    return 0;
  }
  ReportToTxMonitor("ListAppend Adresse von PRECTNODE *pAppend = %p\r\n", node);
  return 1;
}

tagRECTNODE* GetRectHead(tagRLISTHEAD* head) {
  if (head == nullptr || head->first == nullptr) {
    ReportToTxMonitor(kRectLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor(kRectNodeLine, head->first);
  return head->first;
}

tagRECTNODE* GetNextRectEntry(tagRECTNODE* node) {
  if (node == nullptr) {
    ReportToTxMonitor(kRectLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor(kRectNodeLine, node->next);
  return node->next;
}

int RemoveRect(tagRLISTHEAD* head, tagRECTPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(AreaListLock());
  return RemoveNodesHolding<tagRLISTHEAD, tagRECTNODE>(head, record, true, kRectLines, FreeRect);
}

void DelRectList(tagRLISTHEAD* head) {
  if (head == nullptr) return;
  tagRLISTHEAD* expected = head;
  g_rect_list.compare_exchange_strong(expected, nullptr);
  DeleteWholeList<tagRLISTHEAD, tagRECTNODE>(head, kRectLines, FreeRect);
}

}  // extern "C"
