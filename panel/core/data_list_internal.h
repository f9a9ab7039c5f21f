// Shared machinery of the four list families: allocation through the test seam, diagnostics,
// the area list lock, and the creating, linking, walking, unlinking and freeing that every family
// does the same way. A family differs only in its record type, its lock, a few lines naming its own
// types and whether it has a library-wide list. Only the data_list_*.cpp files include this.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <type_traits>

namespace panel {

namespace data_list_detail {

// Writes one diagnostic line whose format takes at most one address ("%p").
using Reporter = void (*)(const char* format, const void* address);
void ReportToStandardOutput(const char* format, const void* address);  // data lists
void ReportToTxMonitor(const char* format, const void* address);       // the other families

void* Allocate(size_t size);  // null when out of memory
// A fresh copy of `text`; null for a null text. Sets *failed when memory runs out.
char* DuplicateString(const char* text, bool* failed);

std::mutex& AreaListLock();  // guards the area list and the LCD list

// The lines every family writes alike; they differ only in where they go and how they end.
struct CommonLines {
  Reporter report;
  const char* out_of_memory;   // "Speicherplatzmangel"
  const char* empty;           // "Liste ist leer"
  const char* removed_record;  // "RemoveEntry: Daten an Adresse %p gelöscht"
  const char* removed_node;    // "RemoveEntry: Knoten an Adresse %p gelöscht"
  const char* deleted_record;  // "DelList: Daten an Adresse %p gelöscht"
  const char* deleted_node;    // "DelList: Knoten an Adresse %p gelöscht"
};
extern const CommonLines kStandardOutputLines;  // the data lists: "\n" on standard output
extern const CommonLines kTxMonitorLines;       // panel, area and LCD lists: "\r\n" on the TX monitor

// The exact lines one family writes: the common ones and those that name the family's own types.
struct FamilyLines {
  const CommonLines& common;
  const char* created;      // "ListCreate Adresse von ... *listhead = %p"
  const char* appended;     // "ListAppend Adresse von ... *pAppend = %p"
  const char* first_node;   // "GetHead Adresse von ... *pCur = %p"
  const char* next_node;    // written by the step to the next node; null where there is none
  const char* already_set;  // "... Listenkopf bereits gesetzt"; null without a library-wide list
};

inline void Report(const FamilyLines& lines, const char* format, const void* address) {
  lines.common.report(format, address);
}

template <class Head>
using NodeOf = std::remove_pointer_t<decltype(Head::first)>;

// ---- Records ------------------------------------------------------------------------------------

// The owned texts of a record type, in the order they are copied.
template <class Record, size_t Count>
using TextFields = char* Record::* const (&)[Count];

template <class Record, size_t Count>
void FreeRecord(Record* record, TextFields<Record, Count> texts) {
  for (char* Record::* text : texts) std::free(record->*text);
  std::free(record);
}

// A copy of `source` with copies of its texts; null when memory runs out (nothing kept then).
template <class Record, size_t Count>
Record* CopyRecord(const Record* source, TextFields<Record, Count> texts) {
  Record* record = static_cast<Record*>(Allocate(sizeof(Record)));
  if (record == nullptr) return nullptr;
  *record = *source;
  // Every text is replaced before a failure is acted on, so freeing never touches the source's.
  bool failed = false;
  for (char* Record::* text : texts) record->*text = DuplicateString(source->*text, &failed);
  if (failed) {
    FreeRecord(record, texts);
    return nullptr;
  }
  return record;
}

// ---- Library-wide lists -------------------------------------------------------------------------

// Takes an empty slot for `head`; false when the slot already holds a list.
template <class Head>
bool TakeSlot(std::atomic<Head*>& slot, Head* head) {
  Head* none = nullptr;
  return slot.compare_exchange_strong(none, head);
}

template <class Head>
void SetLibraryList(std::atomic<Head*>& slot, Head* head, const FamilyLines& lines) {
  if (head == nullptr) return;
  if (!TakeSlot(slot, head)) Report(lines, lines.already_set, nullptr);
}

// A deleted list is no longer the library's: the slot must not hand it out any more.
template <class Head>
void ReleaseSlot(std::atomic<Head*>& slot, Head* head) {
  Head* expected = head;
  slot.compare_exchange_strong(expected, nullptr);
}

// ---- Lists --------------------------------------------------------------------------------------

template <class Head>
Head* CreateHead(const FamilyLines& lines) {
  Head* head = static_cast<Head*>(Allocate(sizeof(Head)));
  if (head == nullptr) {
    Report(lines, lines.common.out_of_memory, nullptr);
    return nullptr;
  }
  head->count = 0;
  head->first = nullptr;
  head->last = nullptr;
  Report(lines, lines.created, head);
  return head;
}

// Links a new node holding `record` at the end; null (nothing linked) when out of memory. The
// caller holds the family's lock.
template <class Head, class Record>
NodeOf<Head>* LinkNewNode(Head* head, Record* record) {
  using Node = NodeOf<Head>;
  Node* node = static_cast<Node*>(Allocate(sizeof(Node)));
  if (node == nullptr) return nullptr;
  *node = Node{};
  node->record = record;
  node->previous = head->last;
  if (head->last == nullptr) {
    head->first = node;
  } else {
    head->last->next = node;
  }
  head->last = node;
  head->count++;
  return node;
}

// Appends `record` under `lock`; `number` then numbers the new node or its record, still under the
// lock, before the line is written. Returns 1, or 0 when nothing was appended.
template <class Head, class Record, class Number>
int AppendRecord(std::mutex& lock, Head* head, Record* record, const FamilyLines& lines,
                 Number number) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(lock);
  NodeOf<Head>* node = LinkNewNode(head, record);
  if (node == nullptr) {
    Report(lines, lines.common.out_of_memory, nullptr);
    return 0;
  }
  number(head, node);
  Report(lines, lines.appended, node);
  return 1;
}

template <class Head, class Record>
int AppendRecord(std::mutex& lock, Head* head, Record* record, const FamilyLines& lines) {
  return AppendRecord(lock, head, record, lines, [](Head*, NodeOf<Head>*) {});
}

// Hands out a list's first node (read by the caller), or writes the empty-list line for none.
template <class Node>
Node* HandOutFirst(Node* first, const FamilyLines& lines) {
  if (first == nullptr) {
    Report(lines, lines.common.empty, nullptr);
    return nullptr;
  }
  Report(lines, lines.first_node, first);
  return first;
}

// The node after `node`; the end of the list is handed out as null without the empty-list line.
template <class Node>
Node* HandOutNext(Node* node, const FamilyLines& lines) {
  if (node == nullptr) {
    Report(lines, lines.common.empty, nullptr);
    return nullptr;
  }
  Report(lines, lines.next_node, node->next);
  return node->next;
}

template <class Head, class Node>
void Unlink(Head* head, Node* node) {
  if (node->previous != nullptr) {
    node->previous->next = node->next;
  } else {
    head->first = node->next;
  }
  if (node->next != nullptr) {
    node->next->previous = node->previous;
  } else {
    head->last = node->previous;
  }
  head->count--;
}

template <class Node, class Record>
bool HeldFrom(const Node* node, const Record* record) {
  for (; node != nullptr; node = node->next) {
    if (node->record == record) return true;
  }
  return false;
}

// Under `lock`, removes the nodes holding `record` (all of them, or only the first), writing the
// two lines per node. The record itself is freed once, and only when no node of the list holds it
// any more: two nodes holding one record must not free it twice, and a node left behind must not
// point to freed memory. Returns 1 when a node was removed.
template <class Head, class Record>
int RemoveRecord(std::mutex& lock, Head* head, Record* record, bool first_only,
                 const FamilyLines& lines, void (*free_record)(Record*)) {
  if (head == nullptr || record == nullptr) return 0;
  std::lock_guard<std::mutex> guard(lock);
  int removed = 0;
  NodeOf<Head>* node = head->first;
  while (node != nullptr) {
    NodeOf<Head>* successor = node->next;
    if (node->record == record) {
      Report(lines, lines.common.removed_record, record);
      Report(lines, lines.common.removed_node, node);
      Unlink(head, node);
      std::free(node);
      removed++;
      if (first_only) break;
    }
    node = successor;
  }
  if (removed > 0 && !HeldFrom(head->first, record)) free_record(record);
  return removed > 0 ? 1 : 0;
}

// Frees every node and record (each record once, at its last node) and the head.
template <class Head, class Record>
void DeleteWholeList(Head* head, const FamilyLines& lines, void (*free_record)(Record*)) {
  if (head == nullptr) return;
  NodeOf<Head>* node = head->first;
  while (node != nullptr) {
    NodeOf<Head>* successor = node->next;
    Report(lines, lines.common.deleted_record, node->record);
    Report(lines, lines.common.deleted_node, node);
    if (node->record != nullptr && !HeldFrom(successor, node->record)) free_record(node->record);
    std::free(node);
    node = successor;
  }
  head->count = 0;
  head->first = nullptr;
  head->last = nullptr;
  std::free(head);
}

}  // namespace data_list_detail

}  // namespace panel
