// The start-up registration of the main window's own small commands.
#include "app/ShellCommands.h"

#include "app/EmphasisCommands.h"

bool RegisterShellCommands(KelvaraApp& app)
{
    return RegisterBookmarkCommands(app) && RegisterGoToLineCommand(app) && RegisterDocumentToggles(app) &&
           RegisterNewTabCommand(app) && RegisterHelpCommands(app) && RegisterAboutCommand(app) &&
           RegisterToolCommands(app) && RegisterEmphasisCommands(app) &&
           RegisterSearchCommands(app);
}
