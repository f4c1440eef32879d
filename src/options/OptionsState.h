// The options dialog's state: its pages will be registered here. The file-type page
// keeps two working texts between its messages.
#pragma once

struct OptionsState {
    char fileTypeTexts[2][261] = {};  // working texts of the file-type page
};
