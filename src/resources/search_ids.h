// Resource numbers of the search subsystem's dialogs, controls and texts.
#pragma once
