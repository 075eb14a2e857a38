#pragma once
// Check Captions: a modeless, resizable window listing what the caption checks find
// in the current language (or every language) against a profile's limits: reading
// speed, line length and count, time on screen, gaps, order. It is a view of the
// document: the list follows every change. Double-click or ENTER on a problem selects
// its row in the panel (showing its language first); a click on a column heading
// sorts by it. The status line measures the selected row as it is typed. Its
// profile, frame rate, limits, languages, place and whether it is open are kept in
// the settings for the next start.

#include "captions/caption_editor.h"
#include "captions/document_view.h"
#include "core/caption_checks.h"
#include "win/window_base.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zav {

class CheckWindow final : public Window<CheckWindow>, public DocumentView {
public:
    explicit CheckWindow(CaptionEditor& editor) noexcept : editor_(editor) {}
    ~CheckWindow() override;

    static WindowClassSpec windowClass();
    static Table<MessageEntry> messageTable();

    // Shows the window, making it first (owned by owner) when it is not open.
    void open(HWND owner);
    bool isOpen() const noexcept { return hwnd() != nullptr; }
    // Whether it was open when the program last ended.
    static bool wasOpen();

    void documentChanged(const DocumentChange& change) override;

    // What the list shows, in its order, and the checks' settings.
    const std::vector<CheckProblem>& problems() const noexcept { return problems_; }
    const CheckSettings& checkSettings() const noexcept { return settings_; }
    HWND list() const noexcept { return list_; }
    HWND statusLine() const noexcept { return status_; }
    // Selects the problem's row in the panel, as a double-click on it does.
    void showProblem(int index);
    // Applies settings as if chosen in the window (and keeps them).
    void applySettings(const CheckSettings& settings, bool allLanguages);
    // The status line from the panel's selected row and what its box shows.
    void updateStatus();

private:
    LRESULT onCreate(WPARAM, LPARAM);
    LRESULT onClose(WPARAM, LPARAM);
    LRESULT onDestroy(WPARAM, LPARAM);
    LRESULT onSize(WPARAM, LPARAM);
    LRESULT onGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT onNotify(WPARAM, LPARAM);
    LRESULT onCommand(WPARAM, LPARAM);
    LRESULT onTimer(WPARAM, LPARAM);
    LRESULT onSetFocus(WPARAM, LPARAM);

    void createChildren();
    void layout();
    void recheck();
    void sortBy(int column);
    void fillList();
    void fillOptions();
    void readOptions();
    void keepSettings() const;

    CaptionEditor& editor_;
    CheckSettings settings_;
    bool allLanguages_ = false;
    std::vector<CheckProblem> problems_;
    int sortColumn_ = 0;
    HWND labels_[3] = {};
    HWND profile_ = nullptr;
    HWND frameRate_ = nullptr;
    HWND allLanguagesBox_ = nullptr;
    HWND limits_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
    bool filling_ = false;
};

}  // namespace zav
