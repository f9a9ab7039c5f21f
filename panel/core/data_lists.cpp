// The data lists: the TX and RX message queues and the file readers' line lists. Other threads
// than the UI thread change them, so their diagnostics go to standard output, not to a monitor.
#include "panel/core/data_lists.h"

#include <atomic>
#include <cstring>

#include "panel/core/data_list_internal.h"

using namespace data_list_detail;

namespace {

// One lock for all data lists.
std::mutex g_data_list_lock;

// The library's TX list (messages to the application) and RX list (messages from it).
std::atomic<tagLISTHEAD*> g_tx_list{nullptr};
std::atomic<tagLISTHEAD*> g_rx_list{nullptr};

// Code page 1252: 0xF6 is the o with diaeresis of "gelöscht".
const FamilyLines kDataLines = {
    ReportToStandardOutput,
    "Speicherplatzmangel\n",
    "Liste ist leer\n",
    "RemoveEntry: Daten an Adresse %p gel\xF6scht\n",
    "RemoveEntry: Knoten an Adresse %p gel\xF6scht\n",
    "DelList: Daten an Adresse %p gel\xF6scht\n",
    "DelList: Knoten an Adresse %p gel\xF6scht\n",
};

void FreeData(tagDATA* record) {
  std::free(record->bytes);
  std::free(record);
}

}  // namespace

extern "C" {

void ListInitCriticalSection(void) {
  // The lock is a standard mutex, ready from program start; nothing is left to initialise.
}

tagLISTHEAD* ListCreate(void) {
  return CreateHead<tagLISTHEAD>(kDataLines, "ListCreate Adresse von tLISTHEAD *listhead = %p\n");
}

void SetListHead(tagLISTHEAD* head) {
  if (head == nullptr) return;
  tagLISTHEAD* none = nullptr;
  if (g_tx_list.compare_exchange_strong(none, head)) return;
  none = nullptr;
  if (g_rx_list.compare_exchange_strong(none, head)) return;
  ReportToStandardOutput("SetListHead Listenkopf bereits gesetzt\n", nullptr);
}

tagLISTHEAD* GetTXListHead(void) { return g_tx_list.load(); }

tagLISTHEAD* GetRXListHead(void) { return g_rx_list.load(); }

tagDATA* CreateNewEntry(const unsigned char* bytes, int32_t length) {
  if (length < 0 || (bytes == nullptr && length > 0)) return nullptr;
  tagDATA* record = static_cast<tagDATA*>(Allocate(sizeof(tagDATA)));
  if (record == nullptr) return nullptr;
  const size_t size = static_cast<size_t>(length);
  record->bytes = static_cast<unsigned char*>(Allocate(size + 1));
  if (record->bytes == nullptr) {
    std::free(record);
    return nullptr;
  }
  if (size > 0) std::memcpy(record->bytes, bytes, size);
  record->bytes[size] = 0;
  record->length = length;
  record->number = 0;
  return record;
}

int ListAppend(tagLISTHEAD* head, tagDATA* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(g_data_list_lock);
  const int32_t number = head->last != nullptr ? head->last->record->number + 1 : 0;
  tagNODE* node = LinkNewNode<tagLISTHEAD, tagNODE>(head, record);
  if (node == nullptr) {
    ReportToStandardOutput(kDataLines.out_of_memory, nullptr);
    return 0;
  }
  record->number = number;
  ReportToStandardOutput("ListAppend Adresse von tNODE *pAppend = %p\n", node);
  return 1;
}

tagNODE* GetHead(tagLISTHEAD* head) {
  tagNODE* first = nullptr;
  if (head != nullptr) {
    // Held only for the read: an append may be writing the first-node field at this moment.
    std::lock_guard<std::mutex> guard(g_data_list_lock);
    first = head->first;
  }
  if (first == nullptr) {
    ReportToStandardOutput(kDataLines.empty, nullptr);
    return nullptr;
  }
  ReportToStandardOutput("GetHead Adresse von tNODE *pCur = %p\n", first);
  return first;
}

int RemoveEntry(tagLISTHEAD* head, tagDATA* record) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(g_data_list_lock);
  return RemoveNodesHolding<tagLISTHEAD, tagNODE>(head, record, false, kDataLines, FreeData);
}

void DelList(tagLISTHEAD* head) {
  if (head == nullptr) return;
  // A deleted list is no longer the library's: GetTXListHead/GetRXListHead must not hand it out.
  tagLISTHEAD* expected = head;
  g_tx_list.compare_exchange_strong(expected, nullptr);
  expected = head;
  g_rx_list.compare_exchange_strong(expected, nullptr);
  DeleteWholeList<tagLISTHEAD, tagNODE>(head, kDataLines, FreeData);
}

}  // extern "C"
