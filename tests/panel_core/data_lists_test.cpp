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

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

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
    CaptureStdout();
    list_ = ListCreate();
    GetCapturedStdout();
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    CaptureStdout();
    DelList(list_);
    DelList(GetTXListHead());
    DelList(GetRXListHead());
    GetCapturedStdout();
    SetListAllocator(nullptr);
  }
  // Appends quietly; returns the record.
  tagDATA* Append(const char* text) {
    tagDATA* record = Entry(text);
    CaptureStdout();
    EXPECT_EQ(ListAppend(list_, record), 1);
    GetCapturedStdout();
    return record;
  }
  int Remove(tagDATA* record) {
    CaptureStdout();
    const int result = RemoveEntry(list_, record);
    GetCapturedStdout();
    return result;
  }
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
  CaptureStdout();
  ListAppend(list_, record);
  ListAppend(list_, empty);
  GetCapturedStdout();
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
  CaptureStdout();
  ASSERT_EQ(ListAppend(list_, shared), 1);  // a second node holding the same record
  GetCapturedStdout();
  const tagNODE* first_node = list_->first;
  const tagNODE* third_node = list_->last;
  const std::string record_text = AddressText(shared);
  const std::string first_text = AddressText(first_node);
  const std::string third_text = AddressText(third_node);

  CaptureStdout();
  EXPECT_EQ(RemoveEntry(list_, shared), 1);  // AddressSanitizer reports a second free
  EXPECT_EQ(GetCapturedStdout(),
            "RemoveEntry: Daten an Adresse " + record_text + " gel\xF6scht\n" +
                "RemoveEntry: Knoten an Adresse " + first_text + " gel\xF6scht\n" +
                "RemoveEntry: Daten an Adresse " + record_text + " gel\xF6scht\n" +
                "RemoveEntry: Knoten an Adresse " + third_text + " gel\xF6scht\n");
  ExpectLinked(list_, {other});
}

TEST_F(DataListTest, RemovingARecordThatIsNotInTheListWritesNothing) {
  Append("kept");
  tagDATA* stranger = Entry("stranger");
  CaptureStdout();
  EXPECT_EQ(RemoveEntry(list_, stranger), 0);
  EXPECT_EQ(RemoveEntry(list_, nullptr), 0);
  EXPECT_EQ(RemoveEntry(nullptr, stranger), 0);
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(list_->count, 1);
  std::free(stranger->bytes);
  std::free(stranger);
}

TEST_F(DataListTest, DiagnosticLinesAreExact) {
  CaptureStdout();
  tagLISTHEAD* lines = ListCreate();
  EXPECT_EQ(GetCapturedStdout(),
            "ListCreate Adresse von tLISTHEAD *listhead = " + AddressText(lines) + "\n");

  CaptureStdout();
  EXPECT_EQ(GetHead(lines), nullptr);
  EXPECT_EQ(GetCapturedStdout(), "Liste ist leer\n");

  tagDATA* record = Entry("Name=HD44780");
  CaptureStdout();
  ListAppend(lines, record);
  EXPECT_EQ(GetCapturedStdout(),
            "ListAppend Adresse von tNODE *pAppend = " + AddressText(lines->first) + "\n");

  CaptureStdout();
  EXPECT_EQ(GetHead(lines), lines->first);
  EXPECT_EQ(GetCapturedStdout(),
            "GetHead Adresse von tNODE *pCur = " + AddressText(lines->first) + "\n");

  const std::string node_text = AddressText(lines->first);
  CaptureStdout();
  DelList(lines);
  EXPECT_EQ(GetCapturedStdout(), "DelList: Daten an Adresse " + AddressText(record) +
                                     " gel\xF6scht\nDelList: Knoten an Adresse " + node_text +
                                     " gel\xF6scht\n");
  CaptureStdout();
  DelList(nullptr);
  EXPECT_EQ(GetHead(nullptr), nullptr);
  EXPECT_EQ(GetCapturedStdout(), "Liste ist leer\n");
}

TEST_F(DataListTest, DataListsNeverWriteToTheMonitors) {
  RecordingMonitor monitor;
  Remove(Append("x"));
  EXPECT_TRUE(monitor.tx_lines.empty());
  EXPECT_TRUE(monitor.rx_lines.empty());
}

TEST_F(DataListTest, FirstSetsTxSecondRxThenListenkopfBereitsGesetzt) {
  CaptureStdout();
  tagLISTHEAD* tx = ListCreate();
  tagLISTHEAD* rx = ListCreate();
  tagLISTHEAD* third = ListCreate();
  GetCapturedStdout();
  EXPECT_EQ(GetTXListHead(), nullptr);
  SetListHead(tx);
  SetListHead(rx);
  CaptureStdout();
  SetListHead(third);
  EXPECT_EQ(GetCapturedStdout(), "SetListHead Listenkopf bereits gesetzt\n");
  EXPECT_EQ(GetTXListHead(), tx);
  EXPECT_EQ(GetRXListHead(), rx);

  CaptureStdout();
  DelList(tx);  // a deleted list is no longer handed out
  GetCapturedStdout();
  EXPECT_EQ(GetTXListHead(), nullptr);
  EXPECT_EQ(GetRXListHead(), rx);
  SetListHead(third);
  EXPECT_EQ(GetTXListHead(), third);
}

TEST_F(DataListTest, DelListFreesARecordHeldTwiceOnce) {
  tagDATA* shared = Append("twice");
  CaptureStdout();
  ListAppend(list_, shared);
  const std::string record_text = AddressText(shared);
  DelList(list_);  // AddressSanitizer reports a second free
  const std::string output = GetCapturedStdout();
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
  SetListAllocator([](size_t) -> void* { return nullptr; });
  CaptureStdout();
  EXPECT_EQ(ListCreate(), nullptr);
  EXPECT_EQ(ListAppend(list_, record), 0);
  EXPECT_EQ(GetCapturedStdout(), "Speicherplatzmangel\nSpeicherplatzmangel\n");
  EXPECT_EQ(list_->count, 0);
  EXPECT_EQ(list_->first, nullptr);
  EXPECT_EQ(CreateNewEntry(reinterpret_cast<const unsigned char*>("x"), 1), nullptr);
  SetListAllocator(nullptr);
  std::free(record->bytes);
  std::free(record);
}

TEST_F(DataListTest, RecordWithoutRoomForItsBytesIsNotLeaked) {
  // The record itself is allocated, its byte buffer is not; LeakSanitizer reports a leak.
  static std::atomic<int> allocations{0};
  allocations = 0;
  SetListAllocator([](size_t size) -> void* { return allocations++ == 0 ? std::malloc(size) : nullptr; });
  EXPECT_EQ(CreateNewEntry(reinterpret_cast<const unsigned char*>("abc"), 3), nullptr);
  EXPECT_EQ(allocations.load(), 2);
}

TEST_F(DataListTest, ConcurrentProducersAndOneConsumer) {
  // Two producers append while a consumer takes and removes the oldest, as CheckRx does.
  constexpr int kPerProducer = 300;
  std::atomic<int> consumed{0};
  std::atomic<bool> producers_done{false};
  CaptureStdout();
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
  GetCapturedStdout();
  EXPECT_EQ(consumed.load(), 2 * kPerProducer);
}

TEST_F(DataListTest, ConcurrentAppendsNumberEveryRecordOnce) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 250;
  CaptureStdout();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this] {
      for (int i = 0; i < kPerThread; ++i) ListAppend(list_, Entry("x"));
    });
  }
  for (auto& thread : threads) thread.join();
  const std::string output = GetCapturedStdout();
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
