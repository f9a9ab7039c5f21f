// The data lists (TX, RX and line lists): numbering, linking, removal, ownership and their
// standard-output diagnostics.
#include "panel/core/data_lists.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "recording_monitor.h"

namespace {

using namespace panel;

// The data lists' report lines (standard output on Win32) as the recording platform took them.
RecordingMonitor* g_report = nullptr;
void StartReport() { g_report->TakeListReport(); }
std::string TakeReport() { return g_report->TakeListReport(); }

tagDATA* Entry(const char* text) {
  return CreateNewEntry(reinterpret_cast<const unsigned char*>(text),
                        static_cast<int32_t>(std::strlen(text)));
}

// Every node linked both ways, the count right, and the records in this order.
void ExpectLinked(const tagLISTHEAD* head, const std::vector<const tagDATA*>& records) {
  ASSERT_EQ(head->count, static_cast<int32_t>(records.size()));
  const tagNODE* previous = nullptr;
  const tagNODE* node = head->first;
  for (const tagDATA* record : records) {
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->record, record);
    EXPECT_EQ(node->previous, previous);
    previous = node;
    node = node->next;
  }
  EXPECT_EQ(node, nullptr);
  EXPECT_EQ(head->last, previous);
}

// Each test gets fresh lists and leaves the library's TX/RX slots free.
class DataListTest : public testing::Test {
 protected:
  void SetUp() override {
    g_report = &report_;
    StartReport();
    list_ = ListCreate();
    TakeReport();
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    StartReport();
    DelList(list_);
    DelList(GetTXListHead());
    DelList(GetRXListHead());
    TakeReport();
    g_report = nullptr;
  }
  // Appends quietly; returns the record.
  tagDATA* Append(const char* text) {
    tagDATA* record = Entry(text);
    StartReport();
    EXPECT_EQ(ListAppend(list_, record), 1);
    TakeReport();
    return record;
  }
  int Remove(tagDATA* record) {
    StartReport();
    const int result = RemoveEntry(list_, record);
    TakeReport();
    return result;
  }
  RecordingMonitor report_;
  tagLISTHEAD* list_ = nullptr;
};

TEST_F(DataListTest, CreateNewEntryCopiesTheBytesAndAddsANul) {
  unsigned char frame[] = {'@', '!', '\r'};
  tagDATA* record = CreateNewEntry(frame, 3);
  ASSERT_NE(record, nullptr);
  frame[0] = 'X';  // the caller keeps its buffer
  EXPECT_EQ(record->length, 3);
  EXPECT_EQ(std::memcmp(record->bytes, "@!\r", 4), 0);  // includes the NUL
  tagDATA* empty = CreateNewEntry(nullptr, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->length, 0);
  EXPECT_EQ(empty->bytes[0], 0);
  EXPECT_EQ(CreateNewEntry(frame, -1), nullptr);
  EXPECT_EQ(CreateNewEntry(nullptr, 4), nullptr);
  // Owned by the list from here on; the fixture's DelList frees them.
  StartReport();
  ListAppend(list_, record);
  ListAppend(list_, empty);
  TakeReport();
}

TEST_F(DataListTest, NumbersFollowTheLastRecord) {
  tagDATA* a = Append("a");
  tagDATA* b = Append("b");
  tagDATA* c = Append("c");
  EXPECT_EQ(a->number, 0);
  EXPECT_EQ(b->number, 1);
  EXPECT_EQ(c->number, 2);
  Remove(c);
  EXPECT_EQ(Append("d")->number, 2);
  Remove(b);
  EXPECT_EQ(Append("e")->number, 3);  // last is e's predecessor d (2)
  Remove(a);
  EXPECT_EQ(Append("f")->number, 4);
  while (list_->first != nullptr) Remove(list_->first->record);
  EXPECT_EQ(Append("g")->number, 0);
}

TEST_F(DataListTest, RemovingTheOnlyNodeEmptiesTheList) {
  tagDATA* only = Append("only");
  EXPECT_EQ(Remove(only), 1);
  EXPECT_EQ(list_->count, 0);
  EXPECT_EQ(list_->first, nullptr);
  EXPECT_EQ(list_->last, nullptr);
}

TEST_F(DataListTest, RemovingFirstMiddleAndLastKeepsTheOthersLinked) {
  for (int position = 0; position < 3; ++position) {
    SCOPED_TRACE(position);
    tagDATA* records[3] = {Append("1"), Append("2"), Append("3")};
    EXPECT_EQ(Remove(records[position]), 1);
    std::vector<const tagDATA*> rest;
    for (int i = 0; i < 3; ++i) {
      if (i != position) rest.push_back(records[i]);
    }
    ExpectLinked(list_, rest);
    Remove(records[(position + 1) % 3]);
    Remove(records[(position + 2) % 3]);
    ExpectLinked(list_, {});
  }
}

TEST_F(DataListTest, RemoveEntryRemovesEveryNodeOfTheRecordAndFreesItOnce) {
  tagDATA* shared = Append("shared");
  tagDATA* other = Append("other");
  StartReport();
  ASSERT_EQ(ListAppend(list_, shared), 1);  // a second node holding the same record
  TakeReport();
  const tagNODE* first_node = list_->first;
  const tagNODE* third_node = list_->last;
  const std::string record_text = AddressText(shared);
  const std::string first_text = AddressText(first_node);
  const std::string third_text = AddressText(third_node);

  StartReport();
  EXPECT_EQ(RemoveEntry(list_, shared), 1);  // AddressSanitizer reports a second free
  EXPECT_EQ(TakeReport(),
            "RemoveEntry: Daten an Adresse " + record_text + " gel\xF6scht\n" +
                "RemoveEntry: Knoten an Adresse " + first_text + " gel\xF6scht\n" +
                "RemoveEntry: Daten an Adresse " + record_text + " gel\xF6scht\n" +
                "RemoveEntry: Knoten an Adresse " + third_text + " gel\xF6scht\n");
  ExpectLinked(list_, {other});
}

TEST_F(DataListTest, RemovingARecordThatIsNotInTheListWritesNothing) {
  Append("kept");
  tagDATA* stranger = Entry("stranger");
  StartReport();
  EXPECT_EQ(RemoveEntry(list_, stranger), 0);
  EXPECT_EQ(RemoveEntry(list_, nullptr), 0);
  EXPECT_EQ(RemoveEntry(nullptr, stranger), 0);
  EXPECT_EQ(TakeReport(), "");
  EXPECT_EQ(list_->count, 1);
  std::free(stranger->bytes);
  std::free(stranger);
}

TEST_F(DataListTest, DiagnosticLinesAreExact) {
  StartReport();
  tagLISTHEAD* lines = ListCreate();
  EXPECT_EQ(TakeReport(),
            "ListCreate Adresse von tLISTHEAD *listhead = " + AddressText(lines) + "\n");

  StartReport();
  EXPECT_EQ(GetHead(lines), nullptr);
  EXPECT_EQ(TakeReport(), "Liste ist leer\n");

  tagDATA* record = Entry("Name=HD44780");
  StartReport();
  ListAppend(lines, record);
  EXPECT_EQ(TakeReport(),
            "ListAppend Adresse von tNODE *pAppend = " + AddressText(lines->first) + "\n");

  StartReport();
  EXPECT_EQ(GetHead(lines), lines->first);
  EXPECT_EQ(TakeReport(),
            "GetHead Adresse von tNODE *pCur = " + AddressText(lines->first) + "\n");

  const std::string node_text = AddressText(lines->first);
  StartReport();
  DelList(lines);
  EXPECT_EQ(TakeReport(), "DelList: Daten an Adresse " + AddressText(record) +
                                     " gel\xF6scht\nDelList: Knoten an Adresse " + node_text +
                                     " gel\xF6scht\n");
  StartReport();
  DelList(nullptr);
  EXPECT_EQ(GetHead(nullptr), nullptr);
  EXPECT_EQ(TakeReport(), "Liste ist leer\n");
}

TEST_F(DataListTest, DataListsNeverWriteToTheMonitors) {
  RecordingMonitor monitor;
  Remove(Append("x"));
  EXPECT_TRUE(monitor.tx_lines.empty());
  EXPECT_TRUE(monitor.rx_lines.empty());
}

TEST_F(DataListTest, FirstSetsTxSecondRxThenListenkopfBereitsGesetzt) {
  StartReport();
  tagLISTHEAD* tx = ListCreate();
  tagLISTHEAD* rx = ListCreate();
  tagLISTHEAD* third = ListCreate();
  TakeReport();
  EXPECT_EQ(GetTXListHead(), nullptr);
  SetListHead(tx);
  SetListHead(rx);
  StartReport();
  SetListHead(third);
  EXPECT_EQ(TakeReport(), "SetListHead Listenkopf bereits gesetzt\n");
  EXPECT_EQ(GetTXListHead(), tx);
  EXPECT_EQ(GetRXListHead(), rx);

  StartReport();
  DelList(tx);  // a deleted list is no longer handed out
  TakeReport();
  EXPECT_EQ(GetTXListHead(), nullptr);
  EXPECT_EQ(GetRXListHead(), rx);
  SetListHead(third);
  EXPECT_EQ(GetTXListHead(), third);
}

TEST_F(DataListTest, DelListFreesARecordHeldTwiceOnce) {
  tagDATA* shared = Append("twice");
  StartReport();
  ListAppend(list_, shared);
  const std::string record_text = AddressText(shared);
  DelList(list_);  // AddressSanitizer reports a second free
  const std::string output = TakeReport();
  list_ = nullptr;
  size_t count = 0;
  for (size_t at = output.find(record_text); at != std::string::npos;
       at = output.find(record_text, at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 2u);  // the two lines per node are kept
}

TEST_F(DataListTest, OutOfMemoryLinksNothing) {
  tagDATA* record = Entry("abc");
  report_.allocator = [](size_t) -> void* { return nullptr; };
  StartReport();
  EXPECT_EQ(ListCreate(), nullptr);
  EXPECT_EQ(ListAppend(list_, record), 0);
  EXPECT_EQ(TakeReport(), "Speicherplatzmangel\nSpeicherplatzmangel\n");
  EXPECT_EQ(list_->count, 0);
  EXPECT_EQ(list_->first, nullptr);
  EXPECT_EQ(CreateNewEntry(reinterpret_cast<const unsigned char*>("x"), 1), nullptr);
  report_.allocator = nullptr;
  std::free(record->bytes);
  std::free(record);
}

TEST_F(DataListTest, RecordWithoutRoomForItsBytesIsNotLeaked) {
  // The record itself is allocated, its byte buffer is not; LeakSanitizer reports a leak.
  static std::atomic<int> allocations{0};
  allocations = 0;
  report_.allocator = [](size_t size) -> void* { return allocations++ == 0 ? std::malloc(size) : nullptr; };
  EXPECT_EQ(CreateNewEntry(reinterpret_cast<const unsigned char*>("abc"), 3), nullptr);
  EXPECT_EQ(allocations.load(), 2);
}

TEST_F(DataListTest, ConcurrentProducersAndOneConsumer) {
  // Two producers append while a consumer takes and removes the oldest, as CheckRx does.
  constexpr int kPerProducer = 300;
  std::atomic<int> consumed{0};
  std::atomic<bool> producers_done{false};
  StartReport();
  tagLISTHEAD* queue = ListCreate();
  std::thread consumer([&] {
    for (;;) {
      const bool finished = producers_done.load();  // read before looking, so nothing is missed
      tagNODE* node = GetHead(queue);
      if (node == nullptr) {
        if (finished) break;
        std::this_thread::yield();
        continue;
      }
      ASSERT_EQ(node->record->length, 2);
      RemoveEntry(queue, node->record);
      consumed++;
    }
  });
  std::vector<std::thread> producers;
  for (int p = 0; p < 2; ++p) {
    producers.emplace_back([queue, p] {
      for (int i = 0; i < kPerProducer; ++i) {
        const unsigned char bytes[] = {static_cast<unsigned char>('A' + p), '\r'};
        ListAppend(queue, CreateNewEntry(bytes, 2));
      }
    });
  }
  for (auto& producer : producers) producer.join();
  producers_done = true;
  consumer.join();
  DelList(queue);
  TakeReport();
  EXPECT_EQ(consumed.load(), 2 * kPerProducer);
}

TEST_F(DataListTest, ConcurrentAppendsNumberEveryRecordOnce) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 250;
  StartReport();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this] {
      for (int i = 0; i < kPerThread; ++i) ListAppend(list_, Entry("x"));
    });
  }
  for (auto& thread : threads) thread.join();
  const std::string output = TakeReport();
  ASSERT_EQ(list_->count, kThreads * kPerThread);
  int expected = 0;
  const tagNODE* previous = nullptr;
  for (const tagNODE* node = list_->first; node != nullptr; node = node->next) {
    EXPECT_EQ(node->record->number, expected++);
    EXPECT_EQ(node->previous, previous);
    previous = node;
  }
  EXPECT_EQ(list_->last, previous);
  // One whole line per append.
  size_t lines = 0;
  for (char c : output) lines += (c == '\n');
  EXPECT_EQ(lines, static_cast<size_t>(kThreads * kPerThread));
}

}  // namespace
