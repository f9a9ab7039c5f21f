// The library as an application links it: every export by its undecorated name, the option
// word through SetOptions, and the lists that process attach creates.
#include <gtest/gtest.h>

#include "siccorae_loader.h"

namespace {

template <typename Function>
Function Export(const SiccoraeApi& api, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(api.module, name)));
}

TEST(LibraryExports, EveryExportResolvesByName) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  for (int i = 0; i < kSiccoraeExportCount; ++i) {
    EXPECT_NE(GetProcAddress(api.module, kSiccoraeExports[i]), nullptr) << kSiccoraeExports[i];
  }
  // Undecorated only: no C++ or stdcall-decorated spelling is what the application links.
  EXPECT_EQ(GetProcAddress(api.module, "_CheckRx"), nullptr);
  EXPECT_EQ(GetProcAddress(api.module, "CheckRx@0"), nullptr);
}

TEST(LibraryExports, SetOptionsStoresNormalisedWordAndReturnsPrevious) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.SetOptions, nullptr);
  EXPECT_EQ(api.SetOptions(0x0100), 0x8410u);  // the load-time word
  EXPECT_EQ(api.SetOptions(0x0112), 0x0102u);  // 0x0100 drew 0x0002 in
  EXPECT_EQ(api.SetOptions(0x8410), 0x0010u);  // 0x0010 cleared 0x0100 and 0x0002
}

TEST(LibraryExports, ProcessAttachCreatedTheLibraryLists) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  auto get_tx = Export<tagLISTHEAD* (*)()>(api, "GetTXListHead");
  auto get_rx = Export<tagLISTHEAD* (*)()>(api, "GetRXListHead");
  auto get_panel = Export<tagPLISTHEAD* (*)()>(api, "GetPanelList");
  ASSERT_NE(get_tx, nullptr);
  ASSERT_NE(get_rx, nullptr);
  ASSERT_NE(get_panel, nullptr);
  tagLISTHEAD* tx = get_tx();
  tagLISTHEAD* rx = get_rx();
  ASSERT_NE(tx, nullptr);
  ASSERT_NE(rx, nullptr);
  EXPECT_NE(tx, rx);
  EXPECT_EQ(tx->count, 0);
  EXPECT_EQ(rx->count, 0);
  EXPECT_NE(get_panel(), nullptr);
  EXPECT_NE(api.GetRectList(), nullptr);
}

TEST(LibraryExports, BindLcdDllChangesNothing) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.BindLcdDll, nullptr);
  api.BindLcdDll();
  AttachRecorder(api);
  EXPECT_EQ(CheckRxOnce(api), "");
}

}  // namespace
