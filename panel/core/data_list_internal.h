// Shared machinery of the four list families: allocation through the test seam, diagnostics,
// the area list lock, and the linking, unlinking and freeing that every family does the same way.
// Only the data_list_*.cpp files include this.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <mutex>

namespace data_list_detail {

// Writes one diagnostic line whose format takes at most one address ("%p").
using Reporter = void (*)(const char* format, const void* address);
void ReportToStandardOutput(const char* format, const void* address);  // data lists
void ReportToTxMonitor(const char* format, const void* address);       // the other families

void* Allocate(size_t size);  // null when out of memory
// A fresh copy of `text`; null for a null text. Sets *failed when memory runs out.
char* DuplicateString(const char* text, bool* failed);

std::mutex& AreaListLock();  // guards the area list and the LCD list

// The exact lines one family writes.
struct FamilyLines {
  Reporter report;
  const char* out_of_memory;   // "Speicherplatzmangel"
  const char* empty;           // "Liste ist leer"
  const char* removed_record;  // "RemoveEntry: Daten an Adresse %p gelöscht"
  const char* removed_node;    // "RemoveEntry: Knoten an Adresse %p gelöscht"
  const char* deleted_record;  // "DelList: Daten an Adresse %p gelöscht"
  const char* deleted_node;    // "DelList: Knoten an Adresse %p gelöscht"
};

template <class Head>
Head* CreateHead(const FamilyLines& lines, const char* created_line) {
  Head* head = static_cast<Head*>(Allocate(sizeof(Head)));
  if (head == nullptr) {
    lines.report(lines.out_of_memory, nullptr);
    return nullptr;
  }
  head->count = 0;
  head->first = nullptr;
  head->last = nullptr;
  lines.report(created_line, head);
  return head;
}

// Links a new node holding `record` at the end; null (nothing linked) when out of memory. The
// caller holds the family's lock.
template <class Head, class Node, class Record>
Node* LinkNewNode(Head* head, Record* record) {
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

// Removes the nodes holding `record` (all of them, or only the first), writing the two lines per
// node. The record itself is freed once, and only when no node of the list holds it any more: two
// nodes holding one record must not free it twice, and a node left behind must not point to freed
// memory. Returns 1 when a node was removed. The caller holds the family's lock.
template <class Head, class Node, class Record>
int RemoveNodesHolding(Head* head, Record* record, bool first_only, const FamilyLines& lines,
                       void (*free_record)(Record*)) {
  if (head == nullptr || record == nullptr) return 0;
  int removed = 0;
  Node* node = head->first;
  while (node != nullptr) {
    Node* successor = node->next;
    if (node->record == record) {
      lines.report(lines.removed_record, record);
      lines.report(lines.removed_node, node);
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
template <class Head, class Node, class Record>
void DeleteWholeList(Head* head, const FamilyLines& lines, void (*free_record)(Record*)) {
  if (head == nullptr) return;
  Node* node = head->first;
  while (node != nullptr) {
    Node* successor = node->next;
    lines.report(lines.deleted_record, node->record);
    lines.report(lines.deleted_node, node);
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
