// Resource numbers of the tools subsystem's dialogs, controls and texts.
#pragma once
