// Finds the clickable stretches of one line: mail addresses and URLs beginning "http:",
// "https://" or "ftp://", each kind switched by its bit of the clickable option.
#pragma once

#include <cstddef>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol {

// Appends the links of a line (bytes without the line end) to runs, left to right, for
// the kinds whose bits are set in `kinds` (LinkKind bits; other bits are ignored). A URL
// runs from its scheme to the first byte that cannot be part of a URL (blank, control,
// quote, angle bracket, any byte of a double-byte character); a mail address is
// name@host with at least one dot in the host. Links never overlap and never split a
// double-byte character.
void FindLinks(const char* bytes, size_t length, int kinds, std::vector<LinkRun>* runs);

}  // namespace kvte::textcontrol
