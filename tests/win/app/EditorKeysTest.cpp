// Auto-indenting Enter and the alternating Home, typed as key messages that go through a
// real message loop (GetMessage, TranslateMessage, DispatchMessage) to a view of the main
// window, so that the character TranslateMessage makes of Enter is part of every case.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"

namespace {

constexpr UINT kPumpDone = WM_APP + 77;

struct EditorKeysTest : testing::Test {
    ModalRecorder modal;
    void SetUp() override
    {
        ASSERT_TRUE(PrepareSettings());
        ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_HIDE), StartResult::Created);
        theApp.autoIndent = true;
        theApp.vsHome = true;
    }
    void TearDown() override
    {
        HoldKeys(false, false);
        EndMainWindowForTest();
    }

    static void HoldKeys(bool ctrl, bool shift)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    // Posts the key's down and up to the current view and runs the loop until they and
    // everything they produced have been dispatched.
    static void Type(UINT key, bool ctrl = false, bool shift = false)
    {
        HoldKeys(ctrl, shift);
        HWND view = GetViewWindow(CurrentView());
        const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
        PostMessageW(view, WM_KEYDOWN, key, down);
        PostMessageW(view, WM_KEYUP, key, down | (1u << 30) | (1u << 31));
        // TranslateMessage posts the character behind the end mark: each translation
        // adds a mark, so the loop ends once every produced message has been dispatched.
        PostMessageW(view, kPumpDone, 0, 0);
        int marks = 1;
        MSG message;
        while (marks > 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == kPumpDone) {
                --marks;
                continue;
            }
            if (TranslateMessage(&message)) {
                PostMessageW(view, kPumpDone, 0, 0);
                ++marks;
            }
            DispatchMessageW(&message);
        }
        HoldKeys(false, false);
    }

    static std::string Text()
    {
        const int view = CurrentView();
        std::string text(static_cast<size_t>(GetTextLength(view)) + 1, '\0');
        text.resize(static_cast<size_t>(GetText(view, text.data(), 1)));
        return text;
    }
    static void Start(const char* text, int line, int column)
    {
        SetText(CurrentView(), text);
        SetSelection(CurrentView(), line, column, line, column);
    }
    static std::pair<int, int> Caret() { return {GetCaretLine(CurrentView()), GetCaretPosition(CurrentView())}; }
};

TEST_F(EditorKeysTest, EnterCopiesTheIndentOnlyFromTheEndOfTheLeadingBlanks)
{
    Start("    foo", 1, 8);
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "    foo\r\n    ");
    EXPECT_EQ(Caret(), std::make_pair(2, 5));

    Start("    foo", 1, 5);  // just before f
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "    \r\n    foo");

    Start("    foo", 1, 3);  // inside the blanks: the control's own Enter
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "  \r\n  foo");
    EXPECT_EQ(Caret(), std::make_pair(2, 1));
}

TEST_F(EditorKeysTest, EnterCopiesALineOfTabsWholeAndLeavesSelectionsToTheControl)
{
    Start("\t\t\t", 1, 2);
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "\t\r\n\t\t\t\t\t");

    SetText(CurrentView(), "  abc");
    SetSelection(CurrentView(), 1, 3, 1, 5);
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "  \r\nc");
}

TEST_F(EditorKeysTest, WithoutAutoIndentEnterBreaksTheLineOnceAndAnyOtherReturnCharacterStillBreaks)
{
    theApp.autoIndent = false;
    Start("    foo", 1, 8);
    Type(VK_RETURN);
    EXPECT_EQ(Text(), "    foo\r\n");
    // A CR that no key-down of Enter announced, as another program sends it.
    SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, '\r', 0);
    EXPECT_EQ(Text(), "    foo\r\n\r\n");
}

TEST_F(EditorKeysTest, HomeAlternatesBetweenTheFirstCharacterAndTheLineStart)
{
    Start("x\n\tbar", 2, 4);
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(2, 2));
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(2, 1));
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(2, 2));

    Start("x\n\tbar", 2, 4);
    Type(VK_HOME, false, true);
    int line1 = 0, column1 = 0, line2 = 0, column2 = 0;
    EXPECT_EQ(GetSelection(CurrentView(), &line1, &column1, &line2, &column2), 0);
    // The selection runs from column 2 to column 4 with the caret at its start.
    EXPECT_EQ(std::make_pair(line1, column1), std::make_pair(2, 2));
    EXPECT_EQ(std::make_pair(line2, column2), std::make_pair(2, 4));
    EXPECT_EQ(Caret(), std::make_pair(2, 2));
}

TEST_F(EditorKeysTest, HomeIsTheControlsOwnWhenSwitchedOffWrappedOrOnABlankLine)
{
    theApp.vsHome = false;
    Start("\tbar", 1, 4);
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(1, 1));

    theApp.vsHome = true;
    SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(40040, 0), 0);  // wrap on
    ASSERT_TRUE(CurrentDocument(theApp.documents.list).wrapped);
    Start("\tbar", 1, 4);
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(1, 1));
    SendMessageW(theApp.mainWindow, WM_COMMAND, MAKEWPARAM(40040, 0), 0);

    Start("   ", 1, 3);
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(1, 1));
}

TEST_F(EditorKeysTest, CtrlHomeGoesToTheTopAndTheControlHandlesTheKeyToo)
{
    Start("ab\ncd\n  ef", 3, 4);
    Type(VK_HOME, true, false);
    EXPECT_EQ(Caret(), std::make_pair(1, 1));
    EXPECT_EQ(GetSelection(CurrentView(), nullptr, nullptr, nullptr, nullptr), -2);

    Start("ab\ncd\n  ef", 3, 4);
    Type(VK_HOME, true, true);
    int line1 = 0, column1 = 0, line2 = 0, column2 = 0;
    EXPECT_EQ(GetSelection(CurrentView(), &line1, &column1, &line2, &column2), 0);
    EXPECT_EQ(std::make_pair(line1, column1), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(line2, column2), std::make_pair(3, 4));
    EXPECT_EQ(Caret(), std::make_pair(1, 1));
}

}  // namespace
