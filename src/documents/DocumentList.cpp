// The slot array and the tab order: adding, removing and switching documents.
#include "documents/DocumentList.h"

#include <algorithm>
#include <new>

namespace {

bool CreateView(const DocumentsHost& host, int slot)
{
    return host.createView == nullptr || host.createView(host.context, slot);
}

void TellMainWindow(const DocumentsHost& host)
{
    CallHost(host.layoutMainWindow, host);
    CallHost(host.tabChanged, host);
}

// Shows and focuses the view of slot, then hides (or, after a removal, has destroyed)
// the old current view, and records the new current document.
void MakeCurrent(DocumentList& list, const DocumentsHost& host, int slot, int oldSlot)
{
    CallHost(host.showView, host, slot, true);
    CallHost(host.focusView, host, slot);
    if (oldSlot != slot && oldSlot >= 0) CallHost(host.showView, host, oldSlot, false);
    list.currentSlot = slot;
    list.currentTab = list.slots[static_cast<std::size_t>(slot)]->tabPosition;
    ScrollCurrentTabIntoView(list);
}

int LowestEmptySlot(const DocumentList& list)
{
    for (int slot = 0; slot < list.slotCount; ++slot) {
        if (!list.slots[static_cast<std::size_t>(slot)]) return slot;
    }
    return -1;
}

}  // namespace

DocumentList::DocumentList() { slots.push_back(std::make_unique<Document>()); }

Document* GetDocument(DocumentList& list, int slot)
{
    if (slot < 0 || slot >= list.slotCount) return nullptr;
    return list.slots[static_cast<std::size_t>(slot)].get();
}

const Document* GetDocument(const DocumentList& list, int slot)
{
    return GetDocument(const_cast<DocumentList&>(list), slot);
}

Document& CurrentDocument(DocumentList& list) { return *list.slots[static_cast<std::size_t>(list.currentSlot)]; }

int SlotAtTab(const DocumentList& list, int position)
{
    for (int slot = 0; slot < list.slotCount; ++slot) {
        const Document* document = GetDocument(list, slot);
        if (document && document->tabPosition == position) return slot;
    }
    return -1;
}

int FirstReusableSlot(const DocumentList& list)
{
    for (int slot = 0; slot < list.slotCount; ++slot) {
        const Document* document = GetDocument(list, slot);
        if (document && IsReusable(*document)) return slot;
    }
    return -1;
}

void AttachView(DocumentList& list, const DocumentsHost& host, int slot)
{
    Document* document = GetDocument(list, slot);
    if (document == nullptr) return;
    CallHost(host.attachView, host, slot, &document->savedWindowProc);
}

void ScrollCurrentTabIntoView(DocumentList& list)
{
    // Room for whole tabs left of the three buttons; a bar not laid out yet shows none.
    const int room = list.tabWidth > 0 ? (list.barWidth - 3 * list.barHeight) / list.tabWidth : 0;
    if (room < 1) return;
    if (list.currentTab < list.firstVisibleTab) list.firstVisibleTab = list.currentTab;
    if (list.currentTab >= list.firstVisibleTab + room) list.firstVisibleTab = list.currentTab - room + 1;
}

void SelectSlot(DocumentList& list, const DocumentsHost& host, int slot)
{
    if (GetDocument(list, slot) == nullptr || slot == list.currentSlot) return;
    MakeCurrent(list, host, slot, list.currentSlot);
    TellMainWindow(host);
}

int AddDocument(DocumentList& list, const DocumentsHost& host)
{
    // Everything that can run out of memory comes before the first view operation, so a
    // failure leaves the list and the views as they were.
    std::unique_ptr<Document> document(new (std::nothrow) Document());
    if (!document) return -1;
    int slot = LowestEmptySlot(list);
    const bool reused = slot >= 0;
    if (!reused) {
        try {
            list.slots.emplace_back();
        } catch (const std::bad_alloc&) {
            return -1;
        }
        slot = list.slotCount;
        CallHost(host.setViewCount, host, list.slotCount + 1);
        if (!CreateView(host, slot)) {
            list.slots.pop_back();
            CallHost(host.setViewCount, host, list.slotCount);
            return -1;
        }
        ++list.slotCount;
        CallHost(host.showView, host, list.currentSlot, false);
        CallHost(host.focusView, host, slot);
    } else if (!CreateView(host, slot)) {
        return -1;
    }
    document->tabPosition = list.tabCount;
    list.slots[static_cast<std::size_t>(slot)] = std::move(document);
    AttachView(list, host, slot);
    if (reused) {
        CallHost(host.showView, host, list.currentSlot, false);
        CallHost(host.focusView, host, slot);
    }
    list.currentSlot = slot;
    list.currentTab = list.tabCount;
    ++list.tabCount;
    CallHost(host.repaintBar, host);
    CallHost(host.layoutMainWindow, host);
    return slot;
}

bool RemoveDocument(DocumentList& list, const DocumentsHost& host, int slot)
{
    Document* document = GetDocument(list, slot);
    if (document == nullptr) return false;
    const int position = document->tabPosition;
    int neighbour = SlotAtTab(list, position - 1);
    if (neighbour < 0) neighbour = SlotAtTab(list, position + 1);

    if (neighbour < 0) {
        // The only document: the bar never goes empty. A fresh record is made before the
        // old one goes, so that running out of memory keeps the old document instead.
        std::unique_ptr<Document> fresh(new (std::nothrow) Document());
        if (!fresh) return false;
        CallHost(host.destroyView, host, slot);
        list.slots[static_cast<std::size_t>(slot)] = std::move(fresh);
        CreateView(host, slot);
        AttachView(list, host, slot);
        CallHost(host.layoutMainWindow, host);
        CallHost(host.repaintBar, host);
        return false;
    }

    for (auto& other : list.slots) {
        if (other && other->tabPosition > position) --other->tabPosition;
    }
    MakeCurrent(list, host, neighbour, -1);
    CallHost(host.destroyView, host, slot);
    list.slots[static_cast<std::size_t>(slot)].reset();
    --list.tabCount;
    if (list.currentTab < list.firstVisibleTab) list.firstVisibleTab = list.currentTab;
    RefreshBar(host);
    TellMainWindow(host);
    return true;
}

namespace {

void SelectTabAt(DocumentList& list, const DocumentsHost& host, int position)
{
    int slot = SlotAtTab(list, position);
    if (slot < 0) return;
    MakeCurrent(list, host, slot, list.currentSlot);
    TellMainWindow(host);
    RefreshBar(host);
}

}  // namespace

void SelectNextTab(DocumentList& list, const DocumentsHost& host) { SelectTabAt(list, host, list.currentTab + 1); }

void SelectPreviousTab(DocumentList& list, const DocumentsHost& host)
{
    SelectTabAt(list, host, list.currentTab - 1);
}

bool MoveTab(DocumentList& list, int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= list.tabCount || to >= list.tabCount) return false;
    const int step = from < to ? -1 : 1;
    const int low = std::min(from, to), high = std::max(from, to);
    for (const std::unique_ptr<Document>& document : list.slots) {
        if (!document || document->tabPosition < low || document->tabPosition > high) continue;
        document->tabPosition = document->tabPosition == from ? to : document->tabPosition + step;
    }
    list.currentTab = list.slots[static_cast<std::size_t>(list.currentSlot)]->tabPosition;
    ScrollCurrentTabIntoView(list);
    return true;
}
