// Resource numbers of the options subsystem's dialogs, controls and texts.
#pragma once
