// A plain parent window that records what an editing view tells it, and helpers that
// drive a view with the messages a user's input produces.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "textcontrol/win32/EditControl.h"

namespace viewtest {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DRAWITEMSTRUCT item;  // for WM_DRAWITEM
};

// Creates a parent window with view `id` filling it; destroys both at the end.
class ViewFixture {
public:
    explicit ViewFixture(int id = 0, int width = 640, int height = 400);
    ~ViewFixture();
    ViewFixture(const ViewFixture&) = delete;
    ViewFixture& operator=(const ViewFixture&) = delete;

    int id() const { return id_; }
    HWND parent() const { return parent_; }
    HWND view() const { return GetViewWindow(id_); }

    // Messages 2024-2027 and WM_DRAWITEM since the last Clear, and the names of each
    // WM_DROPFILES read as the main window reads them.
    const std::vector<Received>& received() const;
    const std::vector<std::vector<std::wstring>>& dropped() const;
    int Count(UINT message) const;
    void Clear();

    std::string Text() const;              // GetText with CR LF
    void Type(const std::wstring& units);  // one WM_CHAR per UTF-16 unit
    void Key(WPARAM key, bool shift = false, bool ctrl = false);
    // Client point in the left half of (line, column) for ASCII text without margins.
    POINT PointAt(int line, int column) const;
    void Drag(POINT from, POINT to);
    void Paint() const;  // paints all of the view now

private:
    int id_;
    HWND parent_;
};

// The client area of a window as pixels 0x00RRGGBB, row by row.
std::vector<unsigned> Capture(HWND window);

}  // namespace viewtest
