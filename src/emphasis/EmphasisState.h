// The emphasis subsystem's state: where it reads its settings and colour files, the
// editing-control operations it acts through, and what it keeps between calls. Its
// functions take this record, so a test builds the subsystem around a fresh one whose
// host records the calls instead of reaching a real view.
#pragma once

#include <cstdint>

struct ProfileFile;

// The editing-control operations and message boxes that the emphasis subsystem uses,
// each addressed by view id as the control's own operations are. A missing operation
// does nothing (AddEmphasis then refuses every entry, ChooseFontDialog cancels).
struct EmphasisHost {
    // -1 when the entry was accepted, another value when refused. endText is null for
    // words and rest-of-line entries.
    int (*addEmphasis)(void* context, int view, const char* text, const char* endText, int kind, uint32_t colour,
                       int second, int colourNumber, int fourth) = nullptr;
    void (*clearEmphasis)(void* context, int view, int redraw) = nullptr;
    void (*redrawView)(void* context, int view) = nullptr;
    void (*setOption)(void* context, int view, int option, int value, int redraw) = nullptr;
    void (*setFont)(void* context, int view, const char* name, int pointSize, int redraw) = nullptr;
    void (*setViewColor)(void* context, int view, int index, uint32_t colour, int redraw) = nullptr;
    void (*showMark)(void* context, int view, int index, int shown, int redraw) = nullptr;
    // Runs the font dialog for view; the chosen name goes to name (264 bytes) and the
    // size is returned, or a negative number when cancelled.
    int (*chooseFontDialog)(void* context, int view, char* name) = nullptr;
    // Message box with string-table message number and the error icon.
    void (*showMessage)(void* context, int number) = nullptr;
    // The box that reports a rejected line of an environment file.
    void (*showParseError)(void* context, int number, int line, const char* fileName) = nullptr;
    void* context = nullptr;  // passed back to every operation
};

struct EmphasisState {
    bool active = false;  // an emphasis definition has been applied to the editing control
    bool colourFileReported = false;  // the unreadable colour file was reported (once a run)
    // "kvte.ini"; null reads every setting as 0 or empty and writes nothing.
    ProfileFile* settings = nullptr;
    // The executable's folder with its trailing separator; "esf" and "color" are in it.
    const char* programFolder = "";
    EmphasisHost host;
};
