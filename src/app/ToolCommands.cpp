// The ids of the tool menu: command 2000 + n is tool n. The row hands n to the runner,
// which starts the registered tool (tests put a recorder in its place).
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"
#include "tools/win32/RunTool.h"

namespace {

void RunRegisteredTool(KelvaraApp& app, int tool)
{
    if (app.settings) RunTool(*app.settings, app.mainWindow, app.runningTool, tool);
}

ToolRunner toolRunner = &RunRegisteredTool;

}  // namespace

int RunToolCommand(void* context, int id)
{
    toolRunner(*static_cast<KelvaraApp*>(context), id - IDM_TOOL_BASE);
    return 0;
}

ToolRunner SetToolRunner(ToolRunner runner)
{
    ToolRunner previous = toolRunner;
    toolRunner = runner ? runner : &RunRegisteredTool;
    return previous;
}
