// The views by id: their creation, destruction, placement and the control's version.
#include <memory>
#include <vector>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"

using kvte::textcontrol::EditorView;

namespace kvte::textcontrol {

namespace {

// Ids are slots of the program's document list; this bound only keeps a wild id from
// allocating gigabytes.
constexpr int kMaxViews = 1 << 16;

std::vector<std::unique_ptr<EditorView>>& Views()
{
    static std::vector<std::unique_ptr<EditorView>> views;
    return views;
}

HINSTANCE ModuleInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
    return module ? module : GetModuleHandleW(nullptr);
}

}  // namespace

EditorView* FindView(int id)
{
    auto& views = Views();
    if (id < 0 || static_cast<size_t>(id) >= views.size()) return nullptr;
    return views[static_cast<size_t>(id)].get();
}

EditorView* FindViewOfWindow(HWND window)
{
    if (!window) return nullptr;
    for (auto& view : Views())
        if (view && view->window == window) return view.get();
    return nullptr;
}

}  // namespace kvte::textcontrol

using namespace kvte::textcontrol;

int GetControlVersion() { return 100; }
int GetControlBeta() { return 0; }

int SetViewCount(int count)
{
    if (count < 0 || count > kMaxViews) return 0;
    try {
        auto& views = Views();
        // Never drops a live view: a smaller count only trims empty slots at the end.
        size_t wanted = static_cast<size_t>(count);
        while (views.size() > wanted && !views.back()) views.pop_back();
        if (views.size() < wanted) views.resize(wanted);
        return 1;
    } catch (...) {
        return 0;
    }
}

int CreateView(int view, HWND parent, int x, int y, int width, int height)
{
    auto& views = Views();
    if (view < 0 || view >= kMaxViews) return 0;
    try {
        if (static_cast<size_t>(view) >= views.size()) views.resize(static_cast<size_t>(view) + 1);
        if (views[static_cast<size_t>(view)]) return 0;
        HINSTANCE instance = ModuleInstance();
        if (!RegisterViewClass(instance)) return 0;
        auto record = std::make_unique<EditorView>(view);
        record->parent = parent;
        SetDefaultLook(record->look);
        ApplyViewFont(*record);
        ForgetChanges(*record);
        EditorView* raw = record.get();
        views[static_cast<size_t>(view)] = std::move(record);
        HWND window =
            CreateWindowExW(0, kViewClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_CLIPSIBLINGS,
                            x, y, width, height, parent, nullptr, instance, raw);
        if (!window) {
            ReleaseViewFonts(*raw);
            views[static_cast<size_t>(view)].reset();
            return 0;
        }
        RegisterDropTarget(*raw);
        UpdateView(*raw, kUpdateRepaint);
        return 1;
    } catch (...) {
        if (static_cast<size_t>(view) < views.size()) views[static_cast<size_t>(view)].reset();
        return 0;
    }
}

void DestroyView(int view)
{
    EditorView* record = FindView(view);
    if (!record) return;
    if (record->window) DestroyWindow(record->window);
    ReleaseViewFonts(*record);
    Views()[static_cast<size_t>(view)].reset();
}

void FocusView(int view)
{
    EditorView* record = FindView(view);
    if (record && record->window) SetFocus(record->window);
}

void MoveView(int view, int x, int y, int width, int height)
{
    EditorView* record = FindView(view);
    if (record && record->window)
        MoveWindow(record->window, x, y, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
}

void RedrawView(int view)
{
    EditorView* record = FindView(view);
    if (record) UpdateView(*record, kUpdateRepaint);
}

void ShowView(int view, int shown)
{
    EditorView* record = FindView(view);
    if (record && record->window) ShowWindow(record->window, shown ? SW_SHOW : SW_HIDE);
}

HWND GetViewWindow(int view)
{
    EditorView* record = FindView(view);
    return record ? record->window : nullptr;
}
