#pragma once
// Snapping caption starts to the speech in the film's sound: the Snap to Speech
// setting (off until the user turns it on, then kept for the next start), which
// moves each ENTER stamp onto the speech onset nearest to it within half a second,
// and the commands that move the selected caption's or every caption's start there
// as one step, saying how many moved and how many found no speech.

#include "captions/caption_editor.h"
#include "playback/movie_sound.h"

namespace zav {

inline constexpr double kSnapWindowMs = 500;

bool snapToSpeechEnabled();
void setSnapToSpeech(bool enabled);

// ms moved to the nearest speech onset within the window, or ms when there is none
// (or no sound has been read).
double snappedStampMs(const MovieSound& sound, double ms);

// Snap Selected Caption and Snap All Captions to Speech. Without sound read, a box
// says why and nothing changes.
void snapSelectedCaption(CaptionEditor& editor, const MovieSound& sound);
void snapAllCaptions(CaptionEditor& editor, const MovieSound& sound);

}  // namespace zav
