#include "playback/timeline_paint.h"

#include "core/text_encoding.h"
#include "win/dpi.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

const COLORREF kRulerBack = RGB(236, 236, 236);
const COLORREF kRulerInk = RGB(60, 60, 60);
const COLORREF kCaptionBack = RGB(52, 56, 64);
const COLORREF kSpan = RGB(70, 110, 170);
const COLORREF kSpanEdge = RGB(160, 200, 250);
const COLORREF kSelectedSpan = RGB(205, 140, 40);
const COLORREF kClear = RGB(120, 120, 120);
const COLORREF kSpanInk = RGB(255, 255, 255);
const COLORREF kWaveBack = RGB(28, 32, 38);
const COLORREF kSpeech = RGB(44, 58, 78);
const COLORREF kWave = RGB(80, 200, 120);
const COLORREF kNoteInk = RGB(170, 170, 170);
const COLORREF kCursor = RGB(235, 60, 60);
const COLORREF kDrag = RGB(250, 220, 60);

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    if (right <= left || bottom <= top) return;
    SetBkColor(dc, colour);
    const RECT rect{left, top, right, bottom};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// The pixel column of a time, kept within a few widths of the view so that far-off
// times do not overflow GDI's coordinates.
int columnOf(const TimelineView& view, double ms) {
    const double x = std::floor(view.xOf(ms));
    return static_cast<int>(std::clamp(x, -4.0 * view.width - 4, 5.0 * view.width + 4));
}

void paintRuler(HDC dc, const TimelinePicture& p) {
    const RECT& r = p.layout.ruler;
    fill(dc, r.left, r.top, r.right, r.bottom, kRulerBack);
    const double step = rulerStepMs(p.view.msPerPixel, scaled(70, p.dpi));
    const double minor = step / 5;
    SetTextColor(dc, kRulerInk);
    SetBkMode(dc, TRANSPARENT);
    const int tickTop = r.bottom - scaled(6, p.dpi);
    const long long last = static_cast<long long>(std::floor(p.view.endMs() / minor));
    for (long long k = static_cast<long long>(std::floor(p.view.startMs / minor)); k <= last; ++k) {
        const double ms = k * minor;
        const int x = r.left + columnOf(p.view, ms);
        const bool major = k % 5 == 0;
        fill(dc, x, major ? r.top + scaled(3, p.dpi) : tickTop, x + 1, r.bottom, kRulerInk);
        if (major) {
            const std::string label = rulerLabel(ms, step);
            const std::wstring text(label.begin(), label.end());
            TextOutW(dc, x + scaled(3, p.dpi), r.top + scaled(2, p.dpi), text.c_str(), static_cast<int>(text.size()));
        }
    }
    fill(dc, r.left, r.bottom - 1, r.right, r.bottom, kRulerInk);
}

void paintSpans(HDC dc, const TimelinePicture& p) {
    const RECT& r = p.layout.captions;
    fill(dc, r.left, r.top, r.right, r.bottom, kCaptionBack);
    if (!p.spans) return;
    const std::vector<TimelineSpan>& spans = *p.spans;
    const int pad = scaled(3, p.dpi);
    SetTextColor(dc, kSpanInk);
    SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = firstSpanEndingAfter(spans, p.view.startMs);
         i < spans.size() && spans[i].startMs < p.view.endMs(); ++i) {
        const TimelineSpan& span = spans[i];
        const int left = r.left + columnOf(p.view, span.startMs);
        const int right = r.left + columnOf(p.view, span.endMs);
        const bool selected = span.row == p.selectedRow;
        if (span.clear) {
            // A clear: only its edge, in grey.
            fill(dc, left, r.top + pad, left + scaled(2, p.dpi), r.bottom - pad, selected ? kSelectedSpan : kClear);
            continue;
        }
        fill(dc, left, r.top + pad, std::max(right - 1, left + 1), r.bottom - pad, selected ? kSelectedSpan : kSpan);
        fill(dc, left, r.top + pad, left + 1, r.bottom - pad, kSpanEdge);
        if (right - left > scaled(24, p.dpi) && p.label) {
            const std::wstring text = p.label(span);
            RECT box{std::max(left, static_cast<int>(r.left)) + pad, r.top + pad, std::min(right, static_cast<int>(r.right)) - pad,
                     r.bottom - pad};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                      DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX | DT_EDITCONTROL);
        }
    }
}

void paintWave(HDC dc, const TimelinePicture& p) {
    const RECT& r = p.layout.wave;
    fill(dc, r.left, r.top, r.right, r.bottom, kWaveBack);
    if (p.speech) {
        for (const SpeechStretch& s : *p.speech) {
            if (s.endMs < p.view.startMs || s.onsetMs > p.view.endMs()) continue;
            fill(dc, r.left + columnOf(p.view, s.onsetMs), r.top, r.left + columnOf(p.view, s.endMs) + 1, r.bottom,
                 kSpeech);
        }
    }
    const int height = r.bottom - r.top;
    if (p.envelope && height > 0) {
        const int width = r.right - r.left;
        const std::vector<EnvelopeColumn> columns = p.envelope->columns(p.view.startMs, p.view.msAt(width), width);
        const int middle = r.top + height / 2;
        const double scale = (height / 2 - 1) / 32768.0;
        for (int x = 0; x < static_cast<int>(columns.size()); ++x) {
            const EnvelopeColumn& c = columns[x];
            if (!c.hasSound) continue;
            const int top = middle - static_cast<int>(std::lround(c.max * scale));
            const int bottom = middle - static_cast<int>(std::lround(c.min * scale)) + 1;
            fill(dc, r.left + x, top, r.left + x + 1, std::max(bottom, top + 1), kWave);
        }
    }
    if (!p.note.empty()) {
        SetTextColor(dc, kNoteInk);
        SetBkMode(dc, TRANSPARENT);
        RECT box{r.left + scaled(6, p.dpi), r.top + scaled(4, p.dpi), r.right, r.bottom};
        DrawTextW(dc, p.note.c_str(), static_cast<int>(p.note.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
    }
}

}  // namespace

TimelineLayout timelineLayout(const RECT& client, UINT dpi) {
    TimelineLayout layout;
    const int rulerBottom = std::min(static_cast<int>(client.bottom), static_cast<int>(client.top) + scaled(22, dpi));
    const int captionsBottom = std::min(static_cast<int>(client.bottom), rulerBottom + scaled(46, dpi));
    layout.ruler = RECT{client.left, client.top, client.right, rulerBottom};
    layout.captions = RECT{client.left, rulerBottom, client.right, captionsBottom};
    layout.wave = RECT{client.left, captionsBottom, client.right, client.bottom};
    return layout;
}

void paintTimeline(HDC dc, const TimelinePicture& p) {
    const HGDIOBJ oldFont = p.font ? SelectObject(dc, p.font) : nullptr;
    paintRuler(dc, p);
    paintSpans(dc, p);
    paintWave(dc, p);
    const RECT& top = p.layout.ruler;
    const RECT& bottom = p.layout.wave;
    if (p.cursorMs >= 0 && p.cursorMs >= p.view.startMs && p.cursorMs <= p.view.endMs()) {
        const int x = top.left + columnOf(p.view, p.cursorMs);
        fill(dc, x, top.top, x + std::max(1, scaled(1, p.dpi)), bottom.bottom, kCursor);
    }
    if (p.dragMs >= 0) {
        const int x = top.left + columnOf(p.view, p.dragMs);
        fill(dc, x, top.top, x + std::max(2, scaled(2, p.dpi)), bottom.bottom, kDrag);
    }
    if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace zav
