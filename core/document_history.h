#pragma once
// Undo and redo of the caption document. A step keeps the document as it was before
// a command and as the command left it, with where the user was (the selected row
// and the first row in view). States share what they have in common: a state's
// times, each language's list of texts and each text are stored once and shared
// with the state it was taken after whenever they are equal, so a step that changes
// one caption costs little more than its lists of pointers.
//
// Memory: a state of R rows and L languages holds at most 8 R bytes of times and
// 16 R bytes per language of text pointers (less when shared), and each distinct
// text is stored once. A 3,000-row, two-language document thus needs at most about
// 120 kB per state on top of its texts, some 24 MB for the 200 steps the history
// keeps even when every step touched every row (a sort, an import).

#include "core/caption_document.h"
#include "core/code_page.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zav {

// A caption text as a state keeps it; null for an empty text.
using SharedText = std::shared_ptr<const std::u16string>;

struct DocumentState {
    struct Language {
        std::string className;
        std::string displayName;
        std::string langCode;
        std::shared_ptr<const std::vector<SharedText>> texts;
    };
    std::shared_ptr<const std::vector<double>> times;
    std::vector<Language> languages;
    // Where the user was: the shown language, the selected row and the first row in
    // view. Undo and redo put them back, but they are no change of their own.
    int currentLanguage = 0;
    int selectedRow = -1;
    int topRow = 0;

    int rowCount() const noexcept { return times ? static_cast<int>(times->size()) : 0; }
    const std::u16string& text(int language, int row) const;
    // Same rows, times, languages and texts; where the user was does not count.
    bool sameDocument(const DocumentState& other) const;
};

// The document as a state. shownTexts, when given, stands for the current
// language's texts (what the edit boxes show, typing included). Whatever equals the
// previous state's is shared with it.
DocumentState captureState(const CaptionDocument& document, const std::vector<std::u16string>* shownTexts,
                           const DocumentState* previous);

// The document a state holds; the rows' time texts are made through the code page.
CaptionDocument documentOf(const DocumentState& state, const CodePageConverter& codePage);

class DocumentHistory {
public:
    static constexpr std::size_t kDefaultLimit = 200;

    explicit DocumentHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // A new step; the steps that could have been redone are dropped, and the oldest
    // step once there are more than the limit.
    void record(std::u16string name, std::shared_ptr<const DocumentState> before,
                std::shared_ptr<const DocumentState> after);
    bool canUndo() const noexcept { return next_ > 0; }
    bool canRedo() const noexcept { return next_ < steps_.size(); }
    // The names of the steps undo and redo would take; empty when there is none.
    const std::u16string& undoName() const noexcept;
    const std::u16string& redoName() const noexcept;
    // Takes a step back and gives the state before it; forward and the state after.
    // Null, with nothing moved, when there is no step to take.
    std::shared_ptr<const DocumentState> undo();
    std::shared_ptr<const DocumentState> redo();
    void clear() noexcept;

    std::size_t size() const noexcept { return steps_.size(); }
    // What the kept states take, each shared part counted once (an estimate of the
    // containers' payload, not of the allocator's overhead).
    std::size_t memoryBytes() const;

private:
    struct Step {
        std::u16string name;
        std::shared_ptr<const DocumentState> before;
        std::shared_ptr<const DocumentState> after;
    };

    std::size_t limit_;
    std::deque<Step> steps_;
    std::size_t next_ = 0;  // steps_[next_ - 1] is the one undo takes
};

}  // namespace zav
