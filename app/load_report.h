// The start-up failure message: one line per picture that could not be used.
#pragma once

#include "asset_folder.h"

#include "game/game_view.h"

#include <ostream>
#include <vector>

// "morvane: <file>: <reason>" for each failure, the file named with its folder when that is
// not the current one; first, when no folder held every picture, one line naming the folders
// looked in. One line saying the window could not be made when the list is empty (the view
// was refused for another reason).
void WriteLoadFailures(std::ostream& out, const std::vector<AssetFailure>& failures,
                       const AssetSearch& search = {});
// The same lines, reported to the user as an error through the backend's channel.
void ReportLoadFailures(const std::vector<AssetFailure>& failures, const AssetSearch& search);
// "morvane: out of memory" on standard error, without needing any memory to say it.
void WriteOutOfMemory();
