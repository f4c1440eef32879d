// The tools subsystem's state: the registered tools and their information files will be
// kept here. Empty until the tool list exists; the application already owns it so that
// the tool code has its place.
#pragma once

struct ToolsState {};
