#pragma once
// What the transport reads of the captions, and nothing more: the rows' start times
// and what each row shows (typing not yet stored included), to find the caption due
// at the player's position. The caption panel provides it.

#include "core/caption_document.h"

#include <string>
#include <vector>

namespace zav {

class CaptionSource {
public:
    virtual const std::vector<TimeEntry>& captionTimes() const = 0;
    // Empty for a row that does not exist.
    virtual std::u16string shownText(int row) const = 0;

protected:
    ~CaptionSource() = default;
};

}  // namespace zav
