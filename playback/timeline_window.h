#pragma once
// The timeline: a modeless, resizable window that shows the film's sound as a
// waveform under a time ruler, the captions of the shown language as spans from each
// row's start to the next, and the player's position as a cursor that the view
// follows while the film plays. It is a view of the document and redraws itself
// after every change.
//
// Mouse: a click seeks the player there; a double-click on a caption selects its row
// in the panel; dragging a caption's start edge retimes the row (one step "Move
// Start Time", refused onto another row's time); the wheel zooms around the mouse;
// the scroll bar pans. Keys: LEFT and RIGHT move the selected caption's start by
// 10 ms (100 ms with SHIFT), + and - zoom, PAGE UP and PAGE DOWN pan, ESC cancels a
// drag or the decoding of the sound. Sizes are in 96-DPI units scaled by the
// window's DPI. Its place, zoom and whether it is open are kept in the settings.

#include "captions/caption_editor.h"
#include "captions/document_view.h"
#include "core/timeline_view.h"
#include "playback/movie_sound.h"
#include "playback/timeline_paint.h"
#include "playback/transport.h"
#include "win/handles.h"
#include "win/window_base.h"

#include <windows.h>

#include <vector>

namespace zav {

class TimelineWindow final : public Window<TimelineWindow>, public DocumentView {
public:
    TimelineWindow(CaptionEditor& editor, Transport& transport, MovieSound& sound) noexcept
        : editor_(editor), transport_(transport), sound_(sound) {}
    ~TimelineWindow() override;

    static WindowClassSpec windowClass();
    static Table<MessageEntry> messageTable();

    // Shows the window, making it first (owned by owner) when it is not open, and
    // starts decoding the open film's sound.
    void open(HWND owner);
    bool isOpen() const noexcept { return hwnd() != nullptr; }
    static bool wasOpen();

    void documentChanged(const DocumentChange& change) override;
    // A film has opened: its sound is decoded for the waveform.
    void mediaOpened();

    const TimelineView& view() const noexcept { return view_; }
    void setView(const TimelineView& view);
    const std::vector<TimelineSpan>& spans() const noexcept { return spans_; }
    const TimelineLayout& layout() const noexcept { return layout_; }
    // The film's length as the timeline bounds it.
    double filmMs() const;
    // Reads the player's position and the decoding's progress and redraws what moved
    // (the window's timer does this every 40 ms).
    void refresh();

private:
    LRESULT onCreate(WPARAM, LPARAM);
    LRESULT onClose(WPARAM, LPARAM);
    LRESULT onDestroy(WPARAM, LPARAM);
    LRESULT onSize(WPARAM, LPARAM);
    LRESULT onPaint(WPARAM, LPARAM);
    LRESULT onEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT onTimer(WPARAM, LPARAM);
    LRESULT onLButtonDown(WPARAM, LPARAM);
    LRESULT onLButtonDoubleClick(WPARAM, LPARAM);
    LRESULT onMouseMove(WPARAM, LPARAM);
    LRESULT onLButtonUp(WPARAM, LPARAM);
    LRESULT onCaptureChanged(WPARAM, LPARAM);
    LRESULT onMouseWheel(WPARAM, LPARAM);
    LRESULT onHScroll(WPARAM, LPARAM);
    LRESULT onKeyDown(WPARAM, LPARAM);
    LRESULT onSetCursor(WPARAM, LPARAM);
    LRESULT onContextMenu(WPARAM, LPARAM);
    LRESULT onGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT onDpiChanged(WPARAM, LPARAM);

    void makeFont();
    void rebuildSpans();
    void updateScrollBar();
    void updateTitle();
    void seekTo(double ms);
    void zoomAt(double x, double factor);
    void nudgeSelected(double deltaMs);
    void endDrag(bool apply);
    bool playerPosition(double& ms) const;
    std::wstring spanLabel(const TimelineSpan& span) const;

    CaptionEditor& editor_;
    Transport& transport_;
    MovieSound& sound_;
    TimelineView view_;
    TimelineLayout layout_;
    std::vector<TimelineSpan> spans_;
    std::vector<SpeechStretch> speech_;
    UINT dpi_ = 96;
    UniqueFont font_;
    double cursorMs_ = -1;
    double shownDecodedMs_ = -1;
    int shownState_ = -1;
    struct Drag {
        int row = -1;
        double fromMs = 0;
        double toMs = 0;
        int startX = 0;
        bool moved = false;
    } drag_;
};

}  // namespace zav
