// The fit check of the inspector: whether every text of every language of a definition file fits
// the place that shows it in the launcher's two windows. Each language is measured in the font
// the launcher would give it on this machine, against the windows' own layouts scaled to the
// screen's dpi.
#pragma once

#include <string>

struct FitReport {
    std::string text;    // the lines, each ended by LF
    int languages = 0;   // how many languages the file holds
    bool anyCut = false; // some text needs more room than its place has
};

// Loads the file (a full path) into the setup's catalogue and measures its texts at dpi.
FitReport CheckFit(const std::wstring& fileName, int dpi);
