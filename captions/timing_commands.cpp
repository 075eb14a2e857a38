// The caption timing commands: Set Time, ENTER, Goto and Edit
// Start Time, Delete and Add Caption, Clear All Times and Sort By Time.

#include "captions/timing_commands.h"

#include "captions/edit_start_time_dialog.h"
#include "core/caption_timing.h"
#include "win/modal_ui.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

const wchar_t kDuplicateTime[] = L"You cannot enter a duplicate time value.";

// The player's current position in seconds. A failing read, or a position that is
// not a number, gives nothing: the command then does nothing further.
bool readPosition(IWMPControls* controls, double& seconds) {
    if (!controls) return false;
    double position = 0;
    if (controls->get_currentPosition(&position) != S_OK || !std::isfinite(position)) return false;
    seconds = position;
    return true;
}

// Makes row the selected row, brings it into view, repaints the highlight and puts
// the focus in its edit box. Moving the focus makes the edit box that loses it
// report, which the panel takes as a choice of that row; the row asked for stays
// selected.
void moveSelection(CaptionPanel& panel, int row) {
    panel.setSelectedRow(row);
    panel.ensureRowVisible(row);
    InvalidateRect(panel.hwnd(), nullptr, TRUE);
    panel.focusSelectedRow();
    panel.setSelectedRow(row);
}

// The row after the selected one, appended when the selected row is the last. When
// the row cannot be made (addRow has shown why), -1.
int nextRowForStamp(CaptionPanel& panel) {
    const int next = panel.selectedRow() + 1;
    if (next < panel.rowCount()) return next;
    return panel.addRow() ? next : -1;
}

}  // namespace

void sortByTime(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    editor.change(L"Sort By Time", [&](CaptionDocument& document) { sortRowsByTime(document); });
    panel.focusSelectedRow();
}

void stampNextCaption(CaptionEditor& editor, IWMPControls* positionControls,
                      const std::function<double(double)>& adjust) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) return;
    const int next = panel.selectedRow() + 1;
    if (next < panel.rowCount() && panel.document().times()[next].startMs != kNoTime) {
        // The next caption already has its time: only move down.
        moveSelection(panel, next);
        return;
    }
    double seconds = 0;
    if (!readPosition(positionControls, seconds)) return;
    const double ms = adjust ? adjust(stampedTimeMs(seconds)) : stampedTimeMs(seconds);
    if (isDuplicateTime(panel.document().times(), ms)) {
        showMessage(panel.hwnd(), kDuplicateTime);
        return;
    }
    editor.change(L"Stamp Time", [&] {
        const int row = nextRowForStamp(panel);
        if (row < 0) return;
        moveSelection(panel, row);
        panel.setStartTime(row, ms);
    });
}

void setTime(CaptionEditor& editor, IWMPControls* positionControls) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) return;
    double seconds = 0;
    if (!readPosition(positionControls, seconds)) {
        panel.focusSelectedRow();
        return;
    }
    const double ms = setTimeMs(seconds);
    if (isDuplicateTime(panel.document().times(), ms)) {
        showMessage(editor.owner(), kDuplicateTime);
        panel.focusSelectedRow();
        return;
    }
    editor.change(L"Set Time", [&] {
        const int stamped = panel.selectedRow();
        panel.setStartTime(stamped, ms);
        const int row = nextRowForStamp(panel);
        // Without a new row the stamped row stays selected rather than none.
        moveSelection(panel, row >= 0 ? row : stamped);
    });
}

void gotoStartTime(CaptionEditor& editor, IWMPControls* positionControls) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) {
        showMessage(editor.owner(), L"You must select an edit box to use this function.");
    } else if (panel.document().times()[panel.selectedRow()].startMs == kNoTime) {
        showMessage(editor.owner(), L"No start time has been given to the selected caption.");
    } else if (positionControls) {
        // Two milliseconds after the start, so that the caption is already due there.
        // A failing seek is not reported.
        positionControls->put_currentPosition((panel.document().times()[panel.selectedRow()].startMs + 2) / 1000);
    }
    panel.focusSelectedRow();
}

void editStartTime(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) {
        showMessage(editor.owner(), L"You must select a caption in order to edit it's start time.");
        panel.focusSelectedRow();
        return;
    }
    const int row = panel.selectedRow();
    // Cancel leaves the time as it was. Nothing is sorted and a duplicate time is
    // allowed here.
    if (const std::optional<std::int32_t> ms = EditStartTimeDialog(editor.codePage()).run(editor.owner());
        ms && row < panel.rowCount()) {
        editor.change(L"Edit Start Time", [&] { panel.setStartTime(row, *ms); });
    }
    panel.focusSelectedRow();
}

bool moveStartTime(CaptionEditor& editor, int row, double ms) {
    CaptionPanel& panel = editor.panel();
    if (row < 0 || row >= panel.rowCount() || !std::isfinite(ms)) return false;
    const double start = std::max(0.0, std::round(ms));
    const std::vector<TimeEntry>& times = panel.document().times();
    if (times[row].startMs == start) return false;
    if (isDuplicateTime(times, start)) {
        showMessage(editor.owner(), kDuplicateTime);
        return false;
    }
    editor.change(L"Move Start Time", [&] { panel.setStartTime(row, start); });
    return true;
}

void deleteCaption(CaptionEditor& editor) {
    CaptionPanel& panel = editor.panel();
    if (!panel.hasSelection()) return;
    editor.change(L"Delete Caption", [&] {
        panel.deleteRow(panel.selectedRow());
        if (panel.rowCount() > 0) {
            if (panel.selectedRow() == panel.rowCount()) panel.setSelectedRow(panel.rowCount() - 1);
            panel.ensureRowVisible(panel.selectedRow());
        } else {
            panel.setSelectedRow(-1);
        }
    });
    panel.focusSelectedRow();
}

void clearAllTimes(CaptionEditor& editor) {
    editor.change(L"Clear All Times", [&](CaptionDocument& document) { document.clearAllTimes(); });
    editor.panel().focusSelectedRow();
}

void addCaption(CaptionEditor& editor) {
    editor.change(L"Add Caption", [&] { editor.panel().addRow(); });
    editor.panel().focusSelectedRow();
}

}  // namespace zav
