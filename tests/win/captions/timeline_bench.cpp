// Timings of the timeline's drawing: a 1,000-pixel-wide view of a two-hour film with
// 3,000 captions, at zooms from 1 ms a pixel to the whole film, printed in
// milliseconds; and the envelope's memory for the film's sound.
#include "playback/timeline_paint.h"

#include "tests/win/bench_clock.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using zav::test::nowMs;

}  // namespace

int wmain() {
    constexpr double kFilmMs = 2 * 3600 * 1000.0;
    constexpr int kRows = 3000;
    constexpr int kWidth = 1000;
    constexpr int kHeight = 220;
    constexpr int kRate = 8000;

    // Two hours of a warbling tone in bursts, fed as a decoder would.
    zav::AudioEnvelope envelope(kRate);
    envelope.reserve(kFilmMs);
    std::vector<std::int16_t> block(kRate);
    for (int second = 0; second < 7200; ++second) {
        for (int i = 0; i < kRate; ++i) {
            const double t = second + i / double(kRate);
            block[i] = static_cast<std::int16_t>(12000 * std::sin(2 * 3.14159265 * 200 * t) * (second % 3 != 0));
        }
        envelope.append(block.data(), block.size(), 1);
    }
    envelope.finish();

    std::vector<zav::TimeEntry> times(kRows);
    std::vector<std::u16string> texts(kRows);
    for (int row = 0; row < kRows; ++row) {
        times[row].startMs = row * (kFilmMs / kRows);
        texts[row] = row % 10 == 9 ? u"" : u"A caption of some forty characters, here";
    }
    const std::vector<zav::TimelineSpan> spans = zav::timelineSpans(times, texts, kFilmMs);
    std::vector<zav::SpeechStretch> speech;
    for (int s = 0; s < 7200; s += 3) speech.push_back({s * 1000.0 + 1000, s * 1000.0 + 3000, 0.8});

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");

    zav::TimelinePicture picture;
    picture.layout = zav::timelineLayout(RECT{0, 0, kWidth, kHeight}, 96);
    picture.font = font;
    picture.spans = &spans;
    picture.label = [&](const zav::TimelineSpan& span) {
        return std::to_wstring(span.row + 1) + L"  " + std::wstring(texts[span.row].begin(), texts[span.row].end());
    };
    picture.envelope = &envelope;
    picture.speech = &speech;
    picture.selectedRow = 1500;

    std::printf("envelope of two hours at %d Hz: %.2f MB\n", kRate, envelope.memoryBytes() / 1e6);
    for (const double msPerPixel : {1.0, 10.0, 100.0, 1000.0, kFilmMs / kWidth}) {
        picture.view = zav::clampedView({kFilmMs / 2, msPerPixel, kWidth}, kFilmMs);
        picture.cursorMs = picture.view.msAt(kWidth / 3);
        constexpr int kRounds = 30;
        double worst = 0;
        double total = 0;
        for (int round = 0; round < kRounds; ++round) {
            picture.view.startMs += msPerPixel * 7;
            const double start = nowMs();
            zav::paintTimeline(dc, picture);
            GdiFlush();
            const double took = nowMs() - start;
            worst = std::max(worst, took);
            total += took;
        }
        std::printf("paint 1000 px at %10.1f ms a pixel (3000 captions)   mean %7.2f ms   worst %7.2f ms\n",
                    msPerPixel, total / kRounds, worst);
    }
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return 0;
}
