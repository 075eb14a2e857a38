// Timings of the caption panel at 3,000 rows, printed in milliseconds.
#include "win/modal_ui.h"
#include "captions/caption_panel.h"
#include "captions/language_commands.h"
#include "captions/timing_commands.h"
#include "core/recovery_copy.h"
#include "formats/file_dialogs.h"
#include "formats/sami_commands.h"
#include "tests/win/panel_probe.h"
#include "win/file_io.h"

#include <functional>

#include "tests/win/bench_clock.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using zav::test::nowMs;

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

void report(const char* what, double ms) { std::printf("%-52s %10.2f ms\n", what, ms); }

}  // namespace

int wmain() {
    constexpr int kRows = 3000;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &parentProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PanelBenchParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"panel bench", WS_OVERLAPPEDWINDOW, 0, 0, 898, 540, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 400, 150, 200, parent,
                                 reinterpret_cast<HMENU>(247), wc.hInstance, nullptr);
    ShowWindow(parent, SW_SHOWNORMAL);
    zav::CaptionPanel panel;
    panel.create(parent, wc.hInstance);
    zav::CaptionEditor editor(panel);
    editor.attach(parent, combo);
    zav::resetCaptionDocument(editor);
    pumpMessages();

    double start = nowMs();
    while (panel.rowCount() < kRows) panel.addRow();
    report("append rows 13..3000", nowMs() - start);
    pumpMessages();

    for (int row = 0; row < kRows; ++row) {
        zav::CaptionPanelProbe::document(panel).setText(0, row, u"Caption text number " + std::u16string(1, u'0' + row % 10) +
                                           std::u16string(1, u'a' + row % 26) + std::u16string(1, u'A' + row / 26 % 26));
        panel.setStartTime(row, 1000.0 * row + 0.5);
    }
    start = nowMs();
    panel.refreshRows();
    report("refreshRows, every row changed", nowMs() - start);
    start = nowMs();
    panel.refreshRows();
    report("refreshRows, nothing changed", nowMs() - start);

    for (int row = 0; row < kRows; row += 10) SetWindowTextW(panel.rowEdit(row), L"typed by the user");
    start = nowMs();
    panel.storeEditTexts();
    report("storeEditTexts, 300 rows typed into", nowMs() - start);
    start = nowMs();
    panel.storeEditTexts();
    report("storeEditTexts, nothing typed", nowMs() - start);

    start = nowMs();
    panel.deleteRow(kRows / 2);
    report("deleteRow in the middle (1499 rows shift)", nowMs() - start);
    pumpMessages();

    // ENTER-sized: one row typed, store, refresh, scroll the view by one row.
    panel.ensureRowVisible(0);
    panel.selectRow(11);
    pumpMessages();
    double worst = 0, total = 0;
    constexpr int kSteps = 50;
    for (int step = 0; step < kSteps; ++step) {
        const int row = panel.selectedRow();
        SetWindowTextW(panel.rowEdit(row), L"the next caption as typed");
        start = nowMs();
        panel.setStartTime(row + 1, 5000.0 + step);
        panel.storeEditTexts();
        panel.refreshRows();
        panel.setSelectedRow(row + 1);
        panel.ensureRowVisible(panel.selectedRow());
        SetFocus(panel.rowEdit(panel.selectedRow()));
        const double elapsed = nowMs() - start;
        total += elapsed;
        if (elapsed > worst) worst = elapsed;
        pumpMessages();
    }
    report("ENTER-sized store+refresh+scroll, mean", total / kSteps);
    report("ENTER-sized store+refresh+scroll, worst", worst);

    start = nowMs();
    for (int i = 0; i < 24; ++i) SendMessageW(panel.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(panel.hwnd());
    report("24 line-down scrolls and one paint", nowMs() - start);

    // Undo and redo of the two commands that touch every row, on 3,000 rows in two
    // languages, each with the panel painted again.
    zav::appendLanguage(editor, zav::LanguageClass("FRCC", "French", "fr"));
    while (panel.rowCount() < kRows) panel.addRow();
    for (int row = 0; row < kRows; ++row) {
        panel.setStartTime(row, 1000.0 * ((row * 7919) % kRows) + 0.5);
        zav::CaptionPanelProbe::document(panel).setText(1, row, u"Sous-titre " + std::u16string(1, u'a' + row % 26));
    }
    panel.refreshRows();
    editor.clearHistory();
    const auto timed = [&](const char* what, const std::function<void()>& run) {
        const double began = nowMs();
        run();
        UpdateWindow(panel.hwnd());
        report(what, nowMs() - began);
        pumpMessages();
    };
    timed("Clear All Times (3000 rows, 2 languages)", [&] { zav::clearAllTimes(editor); });
    timed("undo Clear All Times", [&] { editor.undo(); });
    timed("redo Clear All Times", [&] { editor.redo(); });
    timed("undo Clear All Times again", [&] { editor.undo(); });
    timed("Sort By Time (3000 rows, 2 languages)", [&] { zav::sortByTime(editor); });
    timed("undo Sort By Time", [&] { editor.undo(); });
    timed("redo Sort By Time", [&] { editor.redo(); });
    std::printf("%-52s %10.2f MB\n", "history kept", editor.history().memoryBytes() / 1048576.0);

    // A recovery copy of the same rows: the content as the window's thread takes it
    // on every tick, then the bytes and the safe write the worker thread does.
    {
        zav::RecoveryCopy copy;
        // The tick takes the content every second: the mean of twenty.
        const double began = nowMs();
        for (int i = 0; i < 20; ++i) copy.document = *editor.currentState();
        report("recovery copy: take the content (3000 rows), mean", (nowMs() - began) / 20);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::wstring path = std::wstring(temp) + L"zav-bench.zavrecovery";
        std::size_t size = 0;
        timed("recovery copy: bytes and safe write (3000 rows)", [&] {
            const std::string bytes = zav::recoveryCopyBytes(copy);
            size = bytes.size();
            zav::writeFileBytes(path, bytes);
        });
        std::printf("%-52s %10.2f kB\n", "recovery copy size", size / 1024.0);
        DeleteFileW(path.c_str());
    }

    // A two-hour programme from another tool: 2,000 SYNCs in two languages, lower
    // case, read by Import SAMI's tolerant reader into the panel.
    std::string sami = "<sami><head><style><!--\n.en { name: English; lang: en; }\n.fr { name: French; }\n"
                       "--></style></head><body>\n";
    for (int sync = 0; sync < 2000; ++sync) {
        sami += "<sync start=\"" + std::to_string(sync * 3600) + "\"><p class=en>Caption number " +
                std::to_string(sync) + "</p>\n<p class=fr>Sous-titre " + std::to_string(sync) + "</p></sync>\n";
    }
    sami += "</body></sami>\n";
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"zav-bench-import.smi";
    zav::writeFileBytes(path, sami);
    timed("Import SAMI, 2000 SYNCs from another tool", [&] { zav::readSamiFile(editor, path); });
    DeleteFileW(path.c_str());

    start = nowMs();
    panel.deleteAllRows();
    report("deleteAllRows", nowMs() - start);
    DestroyWindow(parent);
    return 0;
}
