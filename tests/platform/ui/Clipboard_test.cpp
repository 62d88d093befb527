// Global memory blocks, and the headless clipboard that owns them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/ui/Clipboard.h"
#include "platform/ui/GlobalMemory.h"
#include "platform/ui/headless/HeadlessUi.h"

TEST(GlobalMemory, BlocksAreZeroFilledLockCountedAndStaleHandlesAreRefused) {
    const size_t blocks = GlobalBlockCount();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_EQ(GlobalFlags(block), 2u);
    EXPECT_TRUE(GlobalUnlock(block));  // still locked once
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block));  // not locked at all
    EXPECT_EQ(std::string(bytes, 16), std::string(16, '\0'));
    EXPECT_EQ(GlobalAlloc(0, kGlobalAllocMaxBytes + 1), nullptr);
    EXPECT_EQ(GlobalBlockCount(), blocks + 1);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalBlockCount(), blocks);

    for (HGLOBAL stale : {block, static_cast<HGLOBAL>(bytes), HGLOBAL(nullptr)}) {
        EXPECT_EQ(GlobalLock(stale), nullptr);
        EXPECT_EQ(GlobalSize(stale), 0u);
        EXPECT_FALSE(GlobalUnlock(stale));
        EXPECT_EQ(GlobalFlags(stale), GMEM_INVALID_HANDLE);
        EXPECT_EQ(GlobalFree(stale), stale);  // null is nothing to free: null comes back
    }
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ui.ResetClipboard(); }
    void TearDown() override { ui.ResetClipboard(); }
    CHeadlessUi& ui = CHeadlessUi::Instance();
};

TEST_F(ClipboardTest, OwnsWhatItAcceptsFreesItOnReplaceAndEmptyAndRefusesWhatItCannotOwn) {
    // Private formats: stable per name, distinct; no name, no format.
    const UINT a = RegisterClipboardFormatA("Zarni test A");
    EXPECT_GE(a, 0xC000u);
    EXPECT_NE(RegisterClipboardFormatA("Zarni test B"), a);
    EXPECT_EQ(RegisterClipboardFormatA("Zarni test A"), a);
    EXPECT_EQ(RegisterClipboardFormatA(""), 0u);

    const size_t blocks = GlobalBlockCount();
    HGLOBAL first = GlobalAlloc(GMEM_MOVEABLE, 4);
    HGLOBAL second = GlobalAlloc(GMEM_MOVEABLE, 8);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);
    EXPECT_EQ(SetClipboardData(CF_OEMTEXT, first), nullptr);  // one block, one format
    EXPECT_EQ(SetClipboardData(0, second), nullptr);
    EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);  // again: kept, not freed
    EXPECT_EQ(GlobalSize(first), 4u);
    EXPECT_EQ(SetClipboardData(CF_TEXT, second), second);
    EXPECT_EQ(GlobalSize(first), 0u);  // the replaced block was freed
    EXPECT_EQ(GetClipboardData(CF_TEXT), second);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));  // without opening

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GlobalBlockCount(), blocks);
    EXPECT_NE(SetClipboardData(CF_TEXT, GlobalAlloc(0, 1)), nullptr);
    ui.ResetClipboard();  // frees what it holds, open or not
    EXPECT_EQ(GlobalBlockCount(), blocks);
}

TEST_F(ClipboardTest, OnlyTheThreadThatOpenedItUsesItAndOnlyOneOpensIt) {
    HGLOBAL block = GlobalAlloc(0, 1);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    std::thread([] {
        EXPECT_FALSE(OpenClipboard(nullptr));
        EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
        EXPECT_FALSE(CloseClipboard());
    }).join();
    EXPECT_TRUE(CloseClipboard());
}
