// The panel list: panel elements kept for applications that use the exports; the library itself
// only creates it. Changed on the UI thread only, so its lines go to the TX monitor.
#include <atomic>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace data_list_detail;

namespace {

std::mutex g_panel_list_lock;
std::atomic<tagPLISTHEAD*> g_panel_list{nullptr};

const FamilyLines kPanelLines = {
    ReportToTxMonitor,
    "Speicherplatzmangel\r\n",
    "Liste ist leer\r\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\r\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\r\n",
    "DelList: Daten an Adresse %p gel\xF6scht\r\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\r\n",
};

const char kPanelNodeLine[] = "GetHead Adresse von tPANELNODE *pCur = %p\r\n";

void FreePanel(tagPANELPROP* record) {
  std::free(record->text);
  std::free(record->second_text);
  std::free(record);
}

}  // namespace

extern "C" {

void InitCriticalSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
}

tagPLISTHEAD* CreatePanelList(void) {
  return CreateHead<tagPLISTHEAD>(kPanelLines,
                                  "ListCreate Adresse von tPLISTHEAD *listhead = %p\r\n");
}

void SetPanelList(tagPLISTHEAD* head) {
  if (head == nullptr) return;
  tagPLISTHEAD* none = nullptr;
  if (!g_panel_list.compare_exchange_strong(none, head)) {
    ReportToTxMonitor("SetListHead Listenkopf bereits gesetzt\r\n", nullptr);
  }
}

tagPLISTHEAD* GetPanelList(void) { return g_panel_list.load(); }

tagPANELPROP* CreatePanelEntry(const tagPANELPROP* source) {
  if (source == nullptr || source->text == nullptr || source->second_text == nullptr) return nullptr;
  tagPANELPROP* record = static_cast<tagPANELPROP*>(Allocate(sizeof(tagPANELPROP)));
  if (record == nullptr) return nullptr;
  *record = *source;
  bool failed = false;
  record->text = DuplicateString(source->text, &failed);
  record->second_text = DuplicateString(source->second_text, &failed);
  if (failed) {
    FreePanel(record);
    return nullptr;
  }
  return record;
}

int AppendPanel(tagPLISTHEAD* head, tagPANELPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(g_panel_list_lock);
  tagPANELNODE* node = LinkNewNode<tagPLISTHEAD, tagPANELNODE>(head, record);
  if (node == nullptr) {
    ReportToTxMonitor(kPanelLines.out_of_memory, nullptr);
    return 0;
  }
  ReportToTxMonitor("ListAppend Adresse von tPANELNODE *pAppend = %p\r\n", node);
  return 1;
}

tagPANELNODE* GetPanelHead(tagPLISTHEAD* head) {
  if (head == nullptr || head->first == nullptr) {
    ReportToTxMonitor(kPanelLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor(kPanelNodeLine, head->first);
  return head->first;
}

tagPANELNODE* GetNextPanelEntry(tagPANELNODE* node) {
  if (node == nullptr) {
    ReportToTxMonitor(kPanelLines.empty, nullptr);
    return nullptr;
  }
  ReportToTxMonitor(kPanelNodeLine, node->next);
  return node->next;
}

int RemovePanel(tagPLISTHEAD* head, tagPANELPROP* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(g_panel_list_lock);
  return RemoveNodesHolding<tagPLISTHEAD, tagPANELNODE>(head, record, false, kPanelLines, FreePanel);
}

void DelPanelList(tagPLISTHEAD* head) {
  if (head == nullptr) return;
  tagPLISTHEAD* expected = head;
  g_panel_list.compare_exchange_strong(expected, nullptr);
  DeleteWholeList<tagPLISTHEAD, tagPANELNODE>(head, kPanelLines, FreePanel);
}

}  // extern "C"
