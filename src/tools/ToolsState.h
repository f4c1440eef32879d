// The tools subsystem's state. The tool list lives in "kvte.ini" only (ToolList.h): the
// menu and the options page read it when they are built, so nothing of it is kept here.
#pragma once

struct ToolsState {};
