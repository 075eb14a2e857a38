#pragma once
// Reaches past the caption editor to the panel's document, so that a test can set up
// the rows it looks at without running a command (and without a step of the undo
// history). The program itself changes the document only inside a change.

#include "captions/caption_panel.h"

namespace zav {

struct CaptionPanelProbe {
    static CaptionDocument& document(CaptionPanel& panel) { return panel.document_; }
};

}  // namespace zav
