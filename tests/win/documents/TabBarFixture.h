// A tab bar in a real parent window, around a documents state whose host has no views:
// it records what the list asks of the windows, and routes the bar's own requests
// (repaint, name tooltips) to the bar. The parent records the commands it receives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "documents/win32/TabBar.h"

namespace tabbartest {

struct BarFixture {
    DocumentsState documents;
    TabBar bar;
    HWND parent = nullptr;
    std::vector<std::string> calls;  // "show 1", "hide 0", "focus 1", "layout", "changed"

    explicit BarFixture(int width = 600);
    ~BarFixture();
    BarFixture(const BarFixture&) = delete;
    BarFixture& operator=(const BarFixture&) = delete;

    int Width() const { return documents.list.barWidth; }
    // Adds an untitled document; with a path it is titled by it.
    int Add(const std::string& path = std::string());
    Document& At(int slot) { return *GetDocument(documents.list, slot); }

    void MouseMove(int x, int y);
    void Click(int x, int y = 8);
    // The ids of the WM_COMMAND messages the parent received.
    std::vector<int> Commands() const;

    COLORREF Pixel(int x, int y) const;
};

}  // namespace tabbartest
