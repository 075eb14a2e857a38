#include "playback/speech_commands.h"

#include "core/speech_snap.h"
#include "win/modal_ui.h"
#include "win/settings.h"

#include <cmath>
#include <string>

namespace zav {
namespace {

const wchar_t kSnapValue[] = L"SnapToSpeech";

// The onsets to snap to, or a box saying why there are none to use.
bool readyOnsets(const CaptionEditor& editor, const MovieSound& sound, std::vector<double>& onsets) {
    switch (sound.state()) {
    case MovieSound::State::None:
        showMessage(editor.owner(), L"Open a film first: snapping finds the speech in the film's sound.");
        return false;
    case MovieSound::State::Decoding:
        showMessage(editor.owner(),
                    L"The film's sound is still being read. Try again when the timeline has read all of it.");
        return false;
    case MovieSound::State::Cancelled:
    case MovieSound::State::Failed:
        showMessage(editor.owner(), L"The film's sound could not be read, so there is no speech to snap to.");
        return false;
    case MovieSound::State::Done: break;
    }
    onsets = onsetsOf(sound.speech());
    return true;
}

std::wstring captions(int count) { return std::to_wstring(count) + (count == 1 ? L" caption" : L" captions"); }

void snapRows(CaptionEditor& editor, const MovieSound& sound, const std::vector<int>& rows) {
    std::vector<double> onsets;
    if (!readyOnsets(editor, sound, onsets)) return;
    CaptionPanel& panel = editor.panel();
    const SnapPlan plan = planSnap(panel.document().times(), rows, onsets, kSnapWindowMs);
    if (!plan.moves.empty()) {
        editor.change(L"Snap to Speech", [&] {
            for (const auto& [row, ms] : plan.moves) panel.setStartTime(row, ms);
        });
    }
    std::wstring text = L"Snap to Speech: " + captions(static_cast<int>(plan.moves.size())) + L" moved";
    if (plan.unchanged > 0) text += L", " + captions(plan.unchanged) + L" already on the speech";
    text += L"; " + captions(plan.noOnset) + L" found no speech within half a second.";
    if (plan.blocked > 0)
        text += L" " + captions(plan.blocked) +
                L" stayed where they were, as their speech lies past a neighbouring caption's start.";
    showMessage(editor.owner(), text.c_str());
    panel.focusSelectedRow();
}

}  // namespace

bool snapToSpeechEnabled() { return settings::readNumber(kSnapValue, 0) != 0; }

void setSnapToSpeech(bool enabled) { settings::writeNumber(kSnapValue, enabled ? 1 : 0); }

double snappedStampMs(const MovieSound& sound, double ms) {
    const std::optional<double> onset = nearestOnset(onsetsOf(sound.speech()), ms, kSnapWindowMs);
    return onset ? std::max(0.0, std::round(*onset)) : ms;
}

void snapSelectedCaption(CaptionEditor& editor, const MovieSound& sound) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) {
        showMessage(editor.owner(), L"You must select a caption to snap it to the speech.");
        return;
    }
    if (panel.document().times()[panel.selectedRow()].startMs == kNoTime) {
        showMessage(editor.owner(), L"No start time has been given to the selected caption.");
        panel.focusSelectedRow();
        return;
    }
    snapRows(editor, sound, {panel.selectedRow()});
}

void snapAllCaptions(CaptionEditor& editor, const MovieSound& sound) {
    std::vector<int> rows(static_cast<std::size_t>(editor.panel().rowCount()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) rows[row] = row;
    snapRows(editor, sound, rows);
}

}  // namespace zav
