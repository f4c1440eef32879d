// Auto-indenting Enter and the alternating Home on a view of the main window, typed as
// key messages through a real message loop (GetMessage, TranslateMessage,
// DispatchMessage), so that the character TranslateMessage makes of Enter takes part.
#include <string>
#include <utility>

#include "app/Startup.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"

namespace {

constexpr UINT kPumpDone = WM_APP + 77;

struct EditorKeysTest : MainWindowTest {
    void SetUp() override
    {
        Start();
        theApp.autoIndent = true;
        theApp.vsHome = true;
    }
    // Posts the key's down and up to the current view and runs the loop until they and
    // everything they produced have been dispatched.
    static void Type(UINT key)
    {
        HWND view = GetViewWindow(CurrentView());
        const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
        PostMessageW(view, WM_KEYDOWN, key, down);
        PostMessageW(view, WM_KEYUP, key, down | (1u << 30) | (1u << 31));
        // TranslateMessage posts the character behind the end mark: each translation adds
        // a mark, so the loop ends once every produced message has been dispatched.
        PostMessageW(view, kPumpDone, 0, 0);
        int marks = 1;
        MSG message;
        while (marks > 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
            const bool mark = message.message == kPumpDone;
            marks -= mark ? 1 : 0;
            if (mark) continue;
            if (TranslateMessage(&message) && PostMessageW(view, kPumpDone, 0, 0)) ++marks;
            DispatchMessageW(&message);
        }
    }
    static void Put(const char* text, int line, int column)
    {
        SetText(CurrentView(), text);
        SetSelection(CurrentView(), line, column, line, column);
    }
    static std::pair<int, int> Caret() { return {GetCaretLine(CurrentView()), GetCaretPosition(CurrentView())}; }
};

TEST_F(EditorKeysTest, EnterCopiesTheIndentUnlessSwitchedOffAndHomeAlternates)
{
    Put("    foo", 1, 8);
    Type(VK_RETURN);
    EXPECT_EQ(CurrentViewText(), "    foo\r\n    ");
    EXPECT_EQ(Caret(), std::make_pair(2, 5));
    Put("x\n\tbar", 2, 4);
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(2, 2));
    Type(VK_HOME);
    EXPECT_EQ(Caret(), std::make_pair(2, 1));

    theApp.autoIndent = false;
    Put("    foo", 1, 8);
    Type(VK_RETURN);
    EXPECT_EQ(CurrentViewText(), "    foo\r\n");
    // A CR that no key-down of Enter announced, as another program sends it, still breaks.
    SendMessageW(GetViewWindow(CurrentView()), WM_CHAR, '\r', 0);
    EXPECT_EQ(CurrentViewText(), "    foo\r\n\r\n");
}

TEST_F(EditorKeysTest, ShiftHomeExtendsFromTheSelectionsAnchor)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Put("\tbar", 1, 4);
    Type(VK_HOME);
    Type(VK_HOME);
    int line = 0, column = 0, line2 = 0, column2 = 0;
    GetSelection(CurrentView(), &line, &column, &line2, &column2);
    GetSelectionAnchor(CurrentView(), &line2, &column2);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(std::make_pair(line, column), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(line2, column2), std::make_pair(1, 4)) << "the anchor stays where Shift+Home began";
}

// The program's loop offers every key to the accelerators before the focused view sees
// it: Ctrl+N typed into the view makes a new tab (and reaches the view as nothing).
TEST_F(EditorKeysTest, TheLoopGivesKeysToTheAcceleratorsBeforeTheView)
{
    Put("x", 1, 2);
    CurrentDocument(theApp.documents.list).modified = true;  // not taken over by a new document
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto typeCtrlN = [](HACCEL accelerators) {
        PostMessageW(GetViewWindow(CurrentView()), WM_KEYDOWN, 'N', 1);
        PostQuitMessage(7);
        return MainLoop(theApp.mainWindow, accelerators);
    };
    EXPECT_EQ(typeCtrlN(nullptr), 7);
    EXPECT_EQ(theApp.documents.list.tabCount, 1) << "the view alone does nothing with Ctrl+N";
    EXPECT_EQ(typeCtrlN(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS))), 7);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(theApp.documents.list.tabCount, 2);
    EXPECT_EQ(GetTextLength(0), 1);
}

}  // namespace
