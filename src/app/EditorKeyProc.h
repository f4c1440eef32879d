// The keyboard extensions of every editing view: Enter that keeps the line's indentation
// (theApp.autoIndent) and Home that alternates between the first non-blank character and
// the start of the line (theApp.vsHome). They run inside each view's subclass procedure
// and consume only the key-down of Enter and Home; everything else reaches the view.
#pragma once

struct KelvaraApp;

// Puts the extensions into the views' subclass procedure; views made later get them too.
void InstallEditorKeys(KelvaraApp& app);
