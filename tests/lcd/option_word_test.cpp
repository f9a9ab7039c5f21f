#include <gtest/gtest.h>

#include "panel/core/option_word.h"
#include "panel/core/panel_platform.h"

using namespace panel;

namespace {

class OptionWordTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPanelLibraryForTests(); }
  void TearDown() override { ResetPanelLibraryForTests(); }
};

TEST_F(OptionWordTest, StartsWithEndUserWordAndDesignerAlternate) {
  EXPECT_EQ(GetOptions(), 0x8410u);
  EXPECT_EQ(GetAlternateOptions(), 0x3B06u);
  EXPECT_FALSE(IsDesignerMode());
}

TEST_F(OptionWordTest, LcdListBitSetsItsMirror) {
  EXPECT_EQ(SetOptions(0x0100), 0x8410u);
  EXPECT_EQ(GetOptions(), 0x0102u);
  EXPECT_EQ(SetOptions(0x0002), 0x0102u);
  EXPECT_EQ(GetOptions(), 0x0102u);
}

TEST_F(OptionWordTest, EndUserModeClearsBothLcdListBits) {
  SetOptions(0x0112);
  EXPECT_EQ(GetOptions(), 0x0010u);
  SetOptions(0xFFFFFFFF);
  EXPECT_EQ(GetOptions(), 0xFFFFFEFDu);
}

TEST_F(OptionWordTest, OtherBitsPassUnchanged) {
  SetOptions(0x1ED9);
  EXPECT_EQ(GetOptions(), 0x1ED9u & ~0x0102u);
  SetOptions(0xF0000000);
  EXPECT_EQ(GetOptions(), 0xF0000000u);
  SetOptions(0);
  EXPECT_EQ(GetOptions(), 0u);
}

TEST_F(OptionWordTest, SwapTwiceRestoresTheFirstWord) {
  SwapOptionWords();
  EXPECT_EQ(GetOptions(), 0x3B06u);
  EXPECT_TRUE(IsDesignerMode());
  EXPECT_EQ(GetAlternateOptions(), 0x8410u);
  SwapOptionWords();
  EXPECT_EQ(GetOptions(), 0x8410u);
  EXPECT_EQ(GetAlternateOptions(), 0x3B06u);
}

TEST_F(OptionWordTest, SwapStoresTheNormalisedAlternate) {
  SetAlternateOptions(0x0100);
  SwapOptionWords();
  EXPECT_EQ(GetOptions(), 0x0102u);
  EXPECT_EQ(GetAlternateOptions(), 0x8410u);
}

}  // namespace
