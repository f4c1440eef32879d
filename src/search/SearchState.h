// The search subsystem's state: the current search text and options and the one
// regular-expression object that every search goes through. Find, find next, replace
// all and the histories take this record as an argument.
#pragma once

#include <memory>

#include "regex/KRegExp.h"

struct SearchState {
    char text[1024] = {};  // the current search text, InternalText, zero-terminated
    bool down = true;
    bool regularExpression = false;
    bool matchCase = true;  // false: letters match in either case ([search] matchcase)
    bool wrap = true;       // a search that reaches an end goes on once from the other ([search] wrap)
    std::unique_ptr<CKRegExp> regex{new CKRegExp};
};
