#pragma once
// The caption timing operations other commands share.

#include "captions/caption_panel.h"

namespace zav {

// Sort By Time: stores the typed texts, sorts the rows into time order with the
// texts of every language, refreshes the rows and gives the focus back to the
// selected caption. selectedRow keeps its index. Export SAMI runs it before writing.
void sortByTime(CaptionPanel& panel);

}  // namespace zav
