#pragma once
// The caption timing commands: Set Time, ENTER, Goto and Edit Start Time, Delete and
// Add Caption, Clear All Times and Sort By Time. Each ends by giving the focus back
// to the selected caption, except ENTER, which moves it to the stamped row.

#include "captions/caption_editor.h"
#include "win/wmp_interfaces.h"

#include <functional>

namespace zav {

// Sort By Time: stores the typed texts, sorts the rows into time order with the
// texts of every language, refreshes the rows and gives the focus back to the
// selected caption. selectedRow keeps its index. Export SAMI runs it before writing.
void sortByTime(CaptionEditor& editor);

// ENTER in a caption row: stamps the next row (appended after the last) with one
// second before the position, read from the same controls as Set Time, and moves
// there. A next row that has its time already is only moved to. adjust, when given,
// moves the stamped time first (onto the speech); a duplicate is refused after it.
void stampNextCaption(CaptionEditor& editor, IWMPControls* positionControls,
                      const std::function<double(double)>& adjust = nullptr);
// Set Time: stamps the selected row with the position and moves to the next row.
void setTime(CaptionEditor& editor, IWMPControls* positionControls);
// Goto Start Time: seeks the player to the selected caption's time.
void gotoStartTime(CaptionEditor& editor, IWMPControls* positionControls);
// Edit Start Time: dialog 206 sets the selected caption's time.
void editStartTime(CaptionEditor& editor);
// Move Start Time (the timeline's drags and nudges): row starts at ms, rounded to
// the millisecond and not before 0, as one step. A time another row has is refused
// with the duplicate-time message; false when refused or nothing changed.
bool moveStartTime(CaptionEditor& editor, int row, double ms);
void deleteCaption(CaptionEditor& editor);
void clearAllTimes(CaptionEditor& editor);
void addCaption(CaptionEditor& editor);

}  // namespace zav
