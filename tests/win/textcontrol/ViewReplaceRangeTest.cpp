// Replacing a range of the text as one edit: the bytes, the caret, one undo step, the
// parent told once, and a write-protected view left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

using viewtest::ViewFixture;

TEST(ViewReplaceRange, ReplacesTheRangeAsOneUndoStepKeepingZeroBytes)
{
    ViewFixture f;
    ASSERT_EQ(1, SetText(f.id(), "one\r\ntwo\r\nthree"));
    SelectRange(f.id(), 2, 2);
    InsertText(f.id(), "x");  // an earlier step that must survive the undo
    f.Clear();
    const char with[] = {'A', '\0', '\r', '\n', 'B'};
    EXPECT_EQ(1, ReplaceRangeText(f.id(), 3, 13, with, 5));  // from "ne" of one to "t" of three
    EXPECT_EQ(std::string("oxA\0\r\nBhree", 11), f.Text());
    EXPECT_EQ(8, GetCaretOffset(f.id())) << "after the replacement";
    EXPECT_EQ(0, GetSelectionRange(f.id(), nullptr, nullptr));
    EXPECT_EQ(1, f.Count(WM_VIEW_MODIFIED));
    Undo(f.id());
    EXPECT_EQ("oxne\r\ntwo\r\nthree", f.Text());
    Undo(f.id());
    EXPECT_EQ("one\r\ntwo\r\nthree", f.Text());
}

TEST(ViewReplaceRange, AWriteProtectedOrUnknownViewIsLeftAlone)
{
    ViewFixture f;
    ASSERT_EQ(1, SetText(f.id(), "abc"));
    SetEditable(f.id(), 0);
    EXPECT_EQ(0, ReplaceRangeText(f.id(), 1, 2, "z", 1));
    EXPECT_EQ("abc", f.Text());
    EXPECT_EQ(0, ReplaceRangeText(99, 1, 2, "z", 1));
    SetEditable(f.id(), 1);
    EXPECT_EQ(0, ReplaceRangeText(f.id(), 1, 2, nullptr, 1));
    EXPECT_EQ(0, ReplaceRangeText(f.id(), 1, 2, "z", -1));
    EXPECT_EQ("abc", f.Text());
}
