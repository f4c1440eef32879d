// The open documents and the order of their tabs. Three numberings meet here:
//  - the slot: index in `slots`, also the id of the document's view; it never changes
//    while the document is open. A closed document leaves its slot empty and the next
//    new document takes the lowest empty one; the array only grows.
//  - the tab position: 0 for the leftmost tab, always 0 .. tabCount-1 without gaps.
//  - the visible index: tab position - firstVisibleTab, where the tab is drawn.
// Invariants: tabCount >= 1; slots[currentSlot] holds the document at currentTab; only
// the current document's view is shown.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "documents/Document.h"
#include "documents/DocumentsHost.h"

struct DocumentList {
    int tabWidth = 120;  // pixels per tab, from [tab] width
    std::vector<std::unique_ptr<Document>> slots;
    int slotCount = 1;
    int currentSlot = 0;
    int currentTab = 0;
    int firstVisibleTab = 0;
    int barWidth = 4;
    int barHeight = 16;  // 16 at 96 DPI, scaled by DPI / 96 (the label font grows with it)
    int tabCount = 1;
    int charWidth = 0;   // half the width of a double-byte character in the tab font
    int hotButton = -1;  // button under the pointer: -1 none, 0 scroll left, 1 right, 2 close
    int nameTipCount = 0;

    // One untitled document in slot 0; no views yet.
    DocumentList();
};

// The document in slot, or null for an invalid or empty slot.
Document* GetDocument(DocumentList& list, int slot);
const Document* GetDocument(const DocumentList& list, int slot);
Document& CurrentDocument(DocumentList& list);

// The slot of the document at tab position, or -1.
int SlotAtTab(const DocumentList& list, int position);
// The lowest slot holding a reusable document (untitled, unchanged, writable), or -1.
int FirstReusableSlot(const DocumentList& list);

// Makes slot current (a valid, non-empty slot other than the current one): its view is
// shown and focused, the old one hidden, then the main window is told. No repaint.
void SelectSlot(DocumentList& list, const DocumentsHost& host, int slot);

// Moves firstVisibleTab the least that shows the current tab whole on a laid-out bar
// (selecting a tab always does this; the scroll buttons scroll past it).
void ScrollCurrentTabIntoView(DocumentList& list);

// A new untitled document with its view, at the end of the tab order, made current.
// Returns its slot, or -1 (nothing changed) when memory or the view ran out.
int AddDocument(DocumentList& list, const DocumentsHost& host);

// Closes the document in slot with its view; its left neighbour (else its right one)
// becomes current. False when nothing was removed: an invalid or empty slot, or the only
// document, which is then replaced by a fresh untitled one with a new view in the same
// slot.
bool RemoveDocument(DocumentList& list, const DocumentsHost& host, int slot);

// Moves the tab at position from to position to (both 0 .. tabCount-1); the tabs between
// shift by one toward from, the current document stays current and in view. False when a
// position is invalid or they are equal (nothing changed).
bool MoveTab(DocumentList& list, int from, int to);

// The tab to the right / left becomes current; nothing at either end.
void SelectNextTab(DocumentList& list, const DocumentsHost& host);
void SelectPreviousTab(DocumentList& list, const DocumentsHost& host);

// Runs the view operations of a document that was just made (its view exists).
void AttachView(DocumentList& list, const DocumentsHost& host, int slot);
