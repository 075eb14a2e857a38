#pragma once
// Drawing the timeline: the ruler along the top, the caption spans below it, and the
// waveform of the sound (with the stretches of speech shaded) in the rest, the play
// cursor across all three. Everything is drawn from a TimelinePicture, so that the
// window and the benchmark draw the same way; the work grows with the width and the
// spans in view, not with the film's length or its number of captions.

#include "core/audio_envelope.h"
#include "core/speech_detector.h"
#include "core/timeline_view.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zav {

struct TimelineLayout {
    RECT ruler{};
    RECT captions{};
    RECT wave{};
};

// The bands of a client rectangle at dpi: ruler 22 and captions 46 (96-DPI units),
// the waveform the rest.
TimelineLayout timelineLayout(const RECT& client, UINT dpi);

struct TimelinePicture {
    TimelineView view;
    TimelineLayout layout;
    UINT dpi = 96;
    HFONT font = nullptr;
    const std::vector<TimelineSpan>* spans = nullptr;
    // A span's label (its row number and text).
    std::function<std::wstring(const TimelineSpan&)> label;
    int selectedRow = -1;
    const AudioEnvelope* envelope = nullptr;  // null: no sound (yet)
    const std::vector<SpeechStretch>* speech = nullptr;
    double cursorMs = -1;  // negative: no cursor
    double dragMs = -1;    // negative: no drag under way
    std::wstring note;     // shown in the waveform band (decoding, no sound...)
};

void paintTimeline(HDC dc, const TimelinePicture& picture);

}  // namespace zav
