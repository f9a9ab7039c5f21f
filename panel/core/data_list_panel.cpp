// The panel list: panel elements kept for applications that use the exports; the library itself
// only creates it. Changed on the UI thread only, so its lines go to the TX monitor.
#include <atomic>

#include "panel/core/data_list_internal.h"
#include "panel/core/data_lists.h"

using namespace panel::data_list_detail;

namespace {

std::mutex g_panel_list_lock;
std::atomic<tagPLISTHEAD*> g_panel_list{nullptr};

const FamilyLines kPanelLines = {
    kTxMonitorLines,
    "ListCreate Adresse von tPLISTHEAD *listhead = %p\r\n",
    "ListAppend Adresse von tPANELNODE *pAppend = %p\r\n",
    "GetHead Adresse von tPANELNODE *pCur = %p\r\n",
    "GetHead Adresse von tPANELNODE *pCur = %p\r\n",
    "SetListHead Listenkopf bereits gesetzt\r\n",
};

constexpr char* tagPANELPROP::* kPanelTexts[] = {&tagPANELPROP::text, &tagPANELPROP::second_text};

void FreePanel(tagPANELPROP* record) { FreeRecord(record, kPanelTexts); }

}  // namespace

extern "C" {

void InitCriticalSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
}

tagPLISTHEAD* CreatePanelList(void) { return CreateHead<tagPLISTHEAD>(kPanelLines); }

void SetPanelList(tagPLISTHEAD* head) { SetLibraryList(g_panel_list, head, kPanelLines); }

tagPLISTHEAD* GetPanelList(void) { return g_panel_list.load(); }

tagPANELPROP* CreatePanelEntry(const tagPANELPROP* source) {
  if (source == nullptr || source->text == nullptr || source->second_text == nullptr) return nullptr;
  return CopyRecord(source, kPanelTexts);
}

int AppendPanel(tagPLISTHEAD* head, tagPANELPROP* record) {
  return AppendRecord(g_panel_list_lock, head, record, kPanelLines);
}

tagPANELNODE* GetPanelHead(tagPLISTHEAD* head) {
  return HandOutFirst(head != nullptr ? head->first : nullptr, kPanelLines);
}

tagPANELNODE* GetNextPanelEntry(tagPANELNODE* node) { return HandOutNext(node, kPanelLines); }

int RemovePanel(tagPLISTHEAD* head, tagPANELPROP* record) {
  return RemoveRecord(g_panel_list_lock, head, record, false, kPanelLines, FreePanel);
}

void DelPanelList(tagPLISTHEAD* head) {
  if (head == nullptr) return;
  ReleaseSlot(g_panel_list, head);
  DeleteWholeList(head, kPanelLines, FreePanel);
}

}  // extern "C"
