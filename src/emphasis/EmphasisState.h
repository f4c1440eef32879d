// The emphasis subsystem's state: what the emphasis-file and colour-file readers and
// the application of the editor settings to a view keep between calls.
#pragma once

struct EmphasisState {
    bool active = false;  // an emphasis definition has been applied to the editing control
};
