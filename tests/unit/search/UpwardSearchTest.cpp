// The find and replace dialogs searching upward: each search moves on to the match before
// the selected one, and a replacement is never searched again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ModelSearchView.h"
#include "search/FindReplace.h"

namespace {

TEST(UpwardSearch, RepeatedFindsVisitEveryMatchAndRepeatedReplacesReplaceEachOnce)
{
    // 東京 in Shift_JIS: 93 8C 8B 9E; 東京都: 93 8C 8B 9E 93 73.
    const std::string tokyo = "\x93\x8C\x8B\x9E", tokyoTo = tokyo + "\x93\x73";
    ModelSearchView v(tokyo + " a " + tokyo + "\r\n" + tokyo);
    SearchState state;
    std::strcpy(state.text, tokyo.c_str());
    state.down = false;
    v.model.SelectRange(static_cast<int>(v.Text().size()) + 1, static_cast<int>(v.Text().size()) + 1);
    int starts[] = {13, 7, 0};
    for (int start : starts) {
        ASSERT_TRUE(FindNext(state, v.view, -1));
        EXPECT_EQ(v.Selection().first, start);
    }
    EXPECT_FALSE(FindNext(state, v.view, -1));

    // Replace from the end upward, as the dialog's button does: select, then replace.
    v.model.SelectRange(static_cast<int>(v.Text().size()) + 1, static_cast<int>(v.Text().size()) + 1);
    ASSERT_TRUE(FindNext(state, v.view, -1));
    while (ReplaceCurrent(state, v.view, tokyoTo.c_str())) {
    }
    EXPECT_EQ(v.Text(), tokyoTo + " a " + tokyoTo + "\r\n" + tokyoTo);
}

}  // namespace
