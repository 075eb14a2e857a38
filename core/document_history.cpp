#include "core/document_history.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace zav {
namespace {

const std::u16string kEmptyText;

// The previous state's texts by content, to share equal texts with it.
using TextIndex = std::unordered_map<std::u16string_view, SharedText>;

TextIndex indexOf(const DocumentState* previous) {
    TextIndex index;
    if (!previous) return index;
    for (const DocumentState::Language& language : previous->languages) {
        for (const SharedText& text : *language.texts) {
            if (text) index.emplace(*text, text);
        }
    }
    return index;
}

SharedText shared(const std::u16string& text, const TextIndex& index) {
    if (text.empty()) return nullptr;
    const auto found = index.find(text);
    return found != index.end() ? found->second : std::make_shared<const std::u16string>(text);
}

bool sameTexts(const std::vector<SharedText>& a, const std::vector<SharedText>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (!a[i] || !b[i] || *a[i] != *b[i]) return false;
    }
    return true;
}

}  // namespace

const std::u16string& DocumentState::text(int language, int row) const {
    const SharedText& text = (*languages[language].texts)[row];
    return text ? *text : kEmptyText;
}

bool DocumentState::sameDocument(const DocumentState& other) const {
    if (languages.size() != other.languages.size()) return false;
    if (times != other.times && (!times || !other.times || *times != *other.times)) return false;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const Language& a = languages[i];
        const Language& b = other.languages[i];
        if (a.className != b.className || a.displayName != b.displayName || a.langCode != b.langCode) return false;
        if (a.texts != b.texts && !sameTexts(*a.texts, *b.texts)) return false;
    }
    return true;
}

DocumentState captureState(const CaptionDocument& document, const std::vector<std::u16string>* shownTexts,
                           const DocumentState* previous) {
    DocumentState state;
    std::vector<double> times;
    times.reserve(document.times().size());
    for (const TimeEntry& entry : document.times()) times.push_back(entry.startMs);
    if (previous && previous->times && *previous->times == times) {
        state.times = previous->times;
    } else {
        state.times = std::make_shared<const std::vector<double>>(std::move(times));
    }

    const TextIndex index = indexOf(previous);
    state.currentLanguage = document.currentLanguage();
    for (int l = 0; l < document.languageCount(); ++l) {
        const LanguageClass& language = document.languages()[l];
        const bool shown = shownTexts && l == document.currentLanguage();
        std::vector<SharedText> texts;
        texts.reserve(language.texts().size());
        for (std::size_t row = 0; row < language.texts().size(); ++row) {
            const std::u16string& text =
                shown && row < shownTexts->size() ? (*shownTexts)[row] : language.texts()[row];
            texts.push_back(shared(captionTextOf(text), index));
        }
        DocumentState::Language kept{language.className(), language.displayName(), language.langCode(), nullptr};
        // The list itself is shared with the previous state's list of this language
        // when nothing in it changed (a command that only touched the times).
        if (previous && static_cast<std::size_t>(l) < previous->languages.size() &&
            sameTexts(*previous->languages[l].texts, texts)) {
            kept.texts = previous->languages[l].texts;
        } else {
            kept.texts = std::make_shared<const std::vector<SharedText>>(std::move(texts));
        }
        state.languages.push_back(std::move(kept));
    }
    return state;
}

CaptionDocument documentOf(const DocumentState& state, const CodePageConverter& codePage) {
    CaptionDocument document;
    for (const DocumentState::Language& language : state.languages)
        document.appendLanguage(LanguageClass(language.className, language.displayName, language.langCode));
    const int rows = state.languages.empty() ? 0 : state.rowCount();
    for (int row = 0; row < rows; ++row) {
        document.appendRow();
        // A row without a time keeps an empty time text, as a new row has.
        if ((*state.times)[row] != kNoTime) document.setStartTime(row, (*state.times)[row], codePage);
        for (int language = 0; language < document.languageCount(); ++language)
            document.setText(language, row, state.text(language, row));
    }
    document.setCurrentLanguage(state.currentLanguage);
    return document;
}

void DocumentHistory::record(std::u16string name, std::shared_ptr<const DocumentState> before,
                             std::shared_ptr<const DocumentState> after) {
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(next_), steps_.end());
    steps_.push_back(Step{std::move(name), std::move(before), std::move(after)});
    while (steps_.size() > limit_) steps_.pop_front();
    next_ = steps_.size();
}

const std::u16string& DocumentHistory::undoName() const noexcept {
    return canUndo() ? steps_[next_ - 1].name : kEmptyText;
}

const std::u16string& DocumentHistory::redoName() const noexcept {
    return canRedo() ? steps_[next_].name : kEmptyText;
}

std::shared_ptr<const DocumentState> DocumentHistory::undo() {
    if (!canUndo()) return nullptr;
    return steps_[--next_].before;
}

std::shared_ptr<const DocumentState> DocumentHistory::redo() {
    if (!canRedo()) return nullptr;
    return steps_[next_++].after;
}

void DocumentHistory::clear() noexcept {
    steps_.clear();
    next_ = 0;
}

std::size_t DocumentHistory::memoryBytes() const {
    std::unordered_set<const void*> seen;
    std::size_t bytes = 0;
    const auto count = [&](const std::shared_ptr<const DocumentState>& state) {
        if (!state || !seen.insert(state.get()).second) return;
        bytes += sizeof(DocumentState) + state->languages.size() * sizeof(DocumentState::Language);
        if (state->times && seen.insert(state->times.get()).second) bytes += state->times->size() * sizeof(double);
        for (const DocumentState::Language& language : state->languages) {
            if (!seen.insert(language.texts.get()).second) continue;
            bytes += language.texts->size() * sizeof(SharedText);
            for (const SharedText& text : *language.texts) {
                if (text && seen.insert(text.get()).second)
                    bytes += sizeof(std::u16string) + text->size() * sizeof(char16_t);
            }
        }
    };
    for (const Step& step : steps_) {
        count(step.before);
        count(step.after);
    }
    return bytes;
}

}  // namespace zav
