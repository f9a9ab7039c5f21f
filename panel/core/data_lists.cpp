// The data lists: the TX and RX message queues and the file readers' line lists. Other threads
// than the UI thread change them, so their diagnostics go to the list report (standard output),
// not to a monitor.
#include "panel/core/data_lists.h"

#include <atomic>
#include <cstring>

#include "panel/core/data_list_internal.h"

using namespace panel::data_list_detail;

namespace {

// One lock for all data lists.
std::mutex g_data_list_lock;

// The library's TX list (messages to the application) and RX list (messages from it).
std::atomic<tagLISTHEAD*> g_tx_list{nullptr};
std::atomic<tagLISTHEAD*> g_rx_list{nullptr};

const FamilyLines kDataLines = {
    kStandardOutputLines,
    "ListCreate Adresse von tLISTHEAD *listhead = %p\n",
    "ListAppend Adresse von tNODE *pAppend = %p\n",
    "GetHead Adresse von tNODE *pCur = %p\n",
    nullptr,
    "SetListHead Listenkopf bereits gesetzt\n",
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

tagLISTHEAD* ListCreate(void) { return CreateHead<tagLISTHEAD>(kDataLines); }

void SetListHead(tagLISTHEAD* head) {
  if (head == nullptr) return;
  if (TakeSlot(g_tx_list, head) || TakeSlot(g_rx_list, head)) return;
  Report(kDataLines, kDataLines.already_set, nullptr);
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
  // Numbered after the record appended before it: 0 in an empty list, else its number + 1.
  return AppendRecord(g_data_list_lock, head, record, kDataLines, [](tagLISTHEAD*, tagNODE* node) {
    node->record->number = node->previous != nullptr ? node->previous->record->number + 1 : 0;
  });
}

tagNODE* GetHead(tagLISTHEAD* head) {
  tagNODE* first = nullptr;
  if (head != nullptr) {
    // Held only for the read: an append may be writing the first-node field at this moment.
    std::lock_guard<std::mutex> guard(g_data_list_lock);
    first = head->first;
  }
  return HandOutFirst(first, kDataLines);
}

int RemoveEntry(tagLISTHEAD* head, tagDATA* record) {
  return RemoveRecord(g_data_list_lock, head, record, false, kDataLines, FreeData);
}

void DelList(tagLISTHEAD* head) {
  if (head == nullptr) return;
  // A deleted list is no longer the library's: GetTXListHead/GetRXListHead must not hand it out.
  ReleaseSlot(g_tx_list, head);
  ReleaseSlot(g_rx_list, head);
  DeleteWholeList(head, kDataLines, FreeData);
}

}  // extern "C"

namespace panel {

int32_t QueuedCount(tagLISTHEAD* head) {
  if (head == nullptr) return 0;
  std::lock_guard<std::mutex> guard(g_data_list_lock);
  return head->count;
}

int QueueDataMessage(tagLISTHEAD* head, const uint8_t* bytes, int32_t length) {
  if (head == nullptr) return 0;
  tagDATA* record = CreateNewEntry(bytes, length);
  if (record == nullptr) return 0;
  if (ListAppend(head, record) == 0) {
    FreeData(record);  // not linked, so still ours to release
    return 0;
  }
  return 1;
}

}  // namespace panel
