// Geometry of the tab bar and the effect of the pointer on it.
#include "documents/TabBarLayout.h"

#include <cstdlib>

#include "encoding/SjisBytes.h"

int BarHeightAt(int dpi)
{
    if (dpi <= 96) return kBarHeight;
    return static_cast<int>((static_cast<long long>(kBarHeight) * dpi + 48) / 96);
}

int BarButtonAt(int barWidth, int x, int y, int barHeight)
{
    if (y < 0 || y > barHeight) return kNoButton;
    const int buttonsLeft = barWidth - 3 * kButtonWidth;
    if (x < buttonsLeft || x >= barWidth) return kNoButton;
    return (x - buttonsLeft) / kButtonWidth;
}

int TabAtX(const DocumentList& list, int x)
{
    const long long w = list.tabWidth;
    for (int position = 0; position < list.tabCount; ++position) {
        const long long left = static_cast<long long>(position - list.firstVisibleTab) * w;
        if (left <= x && x <= left + w) return position;
    }
    return -1;
}

std::vector<VisibleTab> VisibleTabs(const DocumentList& list)
{
    std::vector<VisibleTab> tabs;
    for (int position = list.firstVisibleTab; position < list.tabCount; ++position) {
        int slot = SlotAtTab(list, position);
        if (slot < 0) continue;
        tabs.push_back({position, slot, (position - list.firstVisibleTab) * list.tabWidth});
    }
    return tabs;
}

TabLabel LayoutTabLabel(std::string_view fileName, int tabWidth, int charWidth)
{
    TabLabel label;
    if (fileName.empty()) {
        label.text = kUntitledName;
        return label;
    }
    label.text = fileName;
    // Without a measured font there is nothing to cut by.
    if (charWidth <= 0) return label;
    const long long bytes = static_cast<long long>(fileName.size());
    if (charWidth * bytes + kLabelLeft < tabWidth) return label;

    // A tab narrower than two characters (only a hand-edited setting makes one) keeps no
    // bytes and puts the dots at its label start.
    const int k = (tabWidth - kLabelLeft) / charWidth;
    const std::size_t keep = k > 1 ? static_cast<std::size_t>(k - 1) : 0;
    // Cut by characters: a lone lead byte at the end would be drawn as another glyph.
    std::size_t end = 0;
    while (end < keep) {
        std::size_t length = sjis::CharLength(fileName.data(), fileName.size(), end);
        if (end + length > keep) break;
        end += length;
    }
    label.text = fileName.substr(0, end);
    label.cut = true;
    const bool leadAtCut =
        k >= 1 && static_cast<std::size_t>(k - 1) < fileName.size() &&
        sjis::IsLeadByte(static_cast<unsigned char>(fileName[static_cast<std::size_t>(k - 1)]));
    label.dotsOffset = (k - 2) * charWidth + (leadAtCut ? 0 : 3);
    if (label.dotsOffset < 0) label.dotsOffset = 0;
    return label;
}

TabMark MarkOf(const Document& document)
{
    if (!document.writable) return TabMark::WriteProtected;
    if (document.modified) return TabMark::Modified;
    return TabMark::None;
}

std::vector<NameTip> NameTips(const DocumentList& list)
{
    std::vector<NameTip> tips;
    for (const VisibleTab& tab : VisibleTabs(list)) {
        const Document& document = *GetDocument(list, tab.slot);
        tips.push_back({tab.position - list.firstVisibleTab + kFirstNameTipId, tab.left + 2, tab.left + list.tabWidth,
                        document.filePath.empty() ? std::string(kUntitledName) : document.filePath});
    }
    return tips;
}

bool HoverBar(DocumentList& list, int x, int y)
{
    int hot = BarButtonAt(list.barWidth, x, y, list.barHeight);
    if (hot == list.hotButton) return false;
    list.hotButton = hot;
    return true;
}

bool ClickBar(DocumentList& list, const DocumentsHost& host, int x)
{
    switch (BarButtonAt(list.barWidth, x, 0)) {
    case kScrollLeftButton:
        if (list.firstVisibleTab > 0) --list.firstVisibleTab;
        RefreshBar(host);
        return false;
    case kScrollRightButton:
        if (list.firstVisibleTab < list.tabCount - 1) ++list.firstVisibleTab;
        RefreshBar(host);
        return false;
    case kCloseButton:
        return true;
    default:
        break;
    }
    const int position = TabAtX(list, x);
    if (position < 0) return false;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        Document* document = GetDocument(list, slot);
        if (document == nullptr) continue;
        if (document->tabPosition == position) {
            CallHost(host.showView, host, slot, true);
            CallHost(host.focusView, host, slot);
            list.currentTab = position;
            list.currentSlot = slot;
            CallHost(host.layoutMainWindow, host);
        } else {
            CallHost(host.showView, host, slot, false);
        }
    }
    CallHost(host.tabChanged, host);
    // The current tab's background moved with the selection.
    RefreshBar(host);
    return false;
}

bool MiddleClickBar(DocumentList& list, const DocumentsHost& host, int x)
{
    // The buttons are drawn over the last tab's right end: they are no tab.
    if (BarButtonAt(list.barWidth, x, 0, list.barHeight) != kNoButton) return false;
    const int position = TabAtX(list, x);
    const int slot = position < 0 ? -1 : SlotAtTab(list, position);
    if (slot < 0) return false;
    SelectSlot(list, host, slot);
    RefreshBar(host);
    return true;
}

void HoldTab(const DocumentList& list, TabDrag& drag, int x)
{
    drag = TabDrag{};
    if (BarButtonAt(list.barWidth, x, 0, list.barHeight) != kNoButton) return;
    drag.tab = TabAtX(list, x);
    drag.startX = x;
}

bool DragTab(DocumentList& list, TabDrag& drag, int x, int threshold)
{
    if (drag.tab < 0 || drag.tab >= list.tabCount) return false;
    if (!drag.moved && std::abs(static_cast<long long>(x) - drag.startX) < threshold) return false;
    drag.moved = true;
    int target = TabAtX(list, x);
    if (target < 0) target = x < 0 ? list.firstVisibleTab : list.tabCount - 1;
    if (!MoveTab(list, drag.tab, target)) return false;
    drag.tab = target;
    return true;
}

bool ReleaseTab(DocumentList& list, const DocumentsHost& host, TabDrag& drag)
{
    const TabDrag ended = drag;
    drag = TabDrag{};
    if (!ended.moved) return false;
    const int slot = SlotAtTab(list, ended.tab);
    if (slot >= 0) SelectSlot(list, host, slot);
    RefreshBar(host);
    return true;
}
