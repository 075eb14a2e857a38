#pragma once
// A view of the caption document: a window that shows some of it and redraws itself
// from it. The caption editor tells every view it holds, once after each change of
// the document (and each undo, redo or switch of the shown language), what that
// change touched; views read the document through the editor and never change it.

#include "core/document_change.h"

namespace zav {

class DocumentView {
public:
    virtual void documentChanged(const DocumentChange& change) = 0;

protected:
    ~DocumentView() = default;
};

}  // namespace zav
