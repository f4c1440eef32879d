// The options subsystem's state: the options dialog with its page table.
#pragma once

#include "options/win32/OptionsDialog.h"

struct OptionsState {
    OptionsDialog dialog;
};
