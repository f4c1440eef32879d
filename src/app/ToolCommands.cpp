// The ids of the tool menu: command 2000 + n is tool n. The row hands n to the runner
// that the tools connect; until then the ids do nothing.
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"

namespace {

void RunNoTool(KelvaraApp&, int) {}

ToolRunner toolRunner = &RunNoTool;

int RunToolCommand(void* context, int id)
{
    toolRunner(*static_cast<KelvaraApp*>(context), id - IDM_TOOL_BASE);
    return 0;
}

}  // namespace

ToolRunner SetToolRunner(ToolRunner runner)
{
    ToolRunner previous = toolRunner;
    toolRunner = runner ? runner : &RunNoTool;
    return previous;
}

bool RegisterToolCommands(KelvaraApp& app)
{
    return RegisterCommandRange(app.commands, IDM_TOOL_BASE, IDM_TOOL_LAST, &RunToolCommand, &app);
}
