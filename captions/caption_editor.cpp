#include "captions/caption_editor.h"

namespace zav {

void CaptionEditor::beginChange(const wchar_t* name) noexcept {
    if (depth_++ == 0) changeName_ = name;
}

void CaptionEditor::endChange() noexcept {
    if (--depth_ == 0) changeName_ = nullptr;
}

}  // namespace zav
