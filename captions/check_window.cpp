#include "captions/check_window.h"

#include "core/text_encoding.h"
#include "win/ansi_code_page.h"
#include "win/dpi.h"
#include "win/settings.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <iterator>
#include <string>

namespace zav {
namespace {

enum ControlId : int { kProfileId = 100, kFrameRateId, kAllLanguagesId, kLimitsId, kListId, kStatusId };
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusEveryMs = 300;
constexpr int kMinWidth = 480;
constexpr int kMinHeight = 240;

const wchar_t kSettingsValue[] = L"CheckSettings";
const wchar_t kAllLanguagesValue[] = L"CheckAllLanguages";
const settings::ToolWindowMemory& memory() {
    static const settings::ToolWindowMemory kept(L"CheckWindow");
    return kept;
}

struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kColumns[] = {{L"Row", 50},     {L"Language", 90}, {L"Start", 95},
                               {L"Problem", 130}, {L"Value", 70},    {L"Limit", 70}};

std::wstring ascii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// "too-fast" becomes "Too fast".
std::wstring kindLabel(CheckKind kind) {
    std::wstring label = ascii(checkKindName(kind));
    std::replace(label.begin(), label.end(), L'-', L' ');
    if (!label.empty()) label[0] = static_cast<wchar_t>(std::towupper(label[0]));
    return label;
}

// How far a problem goes past its limit, for sorting by size.
double excess(const CheckProblem& problem) {
    if (!checkKindHasValue(problem.kind)) return 0;
    if (problem.limit == 0) return problem.value;
    return std::fabs(problem.value - problem.limit) / std::fabs(problem.limit);
}

HWND makeChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, HFONT font) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The limits the profile does not give, as the settings text spells them.
std::wstring overridesText(const CheckSettings& settings) {
    std::wstring text;
    const std::wstring all = ascii(checkSettingsText(settings));
    std::size_t at = 0;
    while (at < all.size()) {
        std::size_t end = all.find(L' ', at);
        if (end == std::wstring::npos) end = all.size();
        const std::wstring word = all.substr(at, end - at);
        if (!word.empty() && word.rfind(L"profile=", 0) != 0 && word.rfind(L"fps=", 0) != 0)
            text += (text.empty() ? L"" : L" ") + word;
        at = end + 1;
    }
    return text;
}

}  // namespace

CheckWindow::~CheckWindow() {
    if (hwnd()) DestroyWindow(hwnd());
}

WindowClassSpec CheckWindow::windowClass() {
    return WindowClassSpec{L"ZAVCaptionCheck", CS_HREDRAW | CS_VREDRAW,
                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))};
}

Table<CheckWindow::MessageEntry> CheckWindow::messageTable() {
    static const MessageEntry entries[] = {
        {WM_CREATE, &CheckWindow::onCreate},     {WM_DESTROY, &CheckWindow::onDestroy},
        {WM_CLOSE, &CheckWindow::onClose},
        {WM_SIZE, &CheckWindow::onSize},         {WM_GETMINMAXINFO, &CheckWindow::onGetMinMaxInfo},
        {WM_NOTIFY, &CheckWindow::onNotify},     {WM_COMMAND, &CheckWindow::onCommand},
        {WM_TIMER, &CheckWindow::onTimer},       {WM_SETFOCUS, &CheckWindow::onSetFocus},
    };
    return tableOf(entries);
}

bool CheckWindow::wasOpen() { return memory().wasOpen(); }

void CheckWindow::open(HWND owner) {
    if (!hwnd()) {
        settings_ = parseCheckSettings(utf16ToUtf8(fromWide(settings::readString(kSettingsValue, L""))));
        allLanguages_ = settings::readNumber(kAllLanguagesValue, 0) != 0;
        const std::optional<RECT> place = memory().place();
        const UINT dpi = dpiOf(owner);
        const RECT rect = place ? *place
                                : RECT{scaled(120, dpi), scaled(120, dpi), scaled(120 + 620, dpi), scaled(120 + 360, dpi)};
        const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        if (!createWindow(instance, WS_EX_TOOLWINDOW, L"Check Captions", WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, owner, nullptr))
            return;
        editor_.addView(*this);
        recheck();
        updateStatus();
    }
    memory().setOpen(true);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetFocus(list_);
}

LRESULT CheckWindow::onCreate(WPARAM, LPARAM) {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    createChildren();
    fillOptions();
    layout();
    SetTimer(hwnd(), kStatusTimer, kStatusEveryMs, nullptr);
    return 0;
}

void CheckWindow::createChildren() {
    labels_[0] = makeChild(hwnd(), L"STATIC", L"Profile:", 0, -1, font_);
    profile_ = makeChild(hwnd(), L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kProfileId, font_);
    labels_[1] = makeChild(hwnd(), L"STATIC", L"Frames a second:", 0, -1, font_);
    frameRate_ = makeChild(hwnd(), L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFrameRateId, font_);
    allLanguagesBox_ =
        makeChild(hwnd(), L"BUTTON", L"All languages", BS_AUTOCHECKBOX | WS_TABSTOP, kAllLanguagesId, font_);
    labels_[2] = makeChild(hwnd(), L"STATIC", L"Limits:", 0, -1, font_);
    limits_ = makeChild(hwnd(), L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, kLimitsId, font_);
    list_ = makeChild(hwnd(), WC_LISTVIEWW, L"", WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                      kListId, font_);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.cx = scaled(kColumns[i].width, dpiOf(hwnd()));
        column.iSubItem = i;
        ListView_InsertColumn(list_, i, &column);
    }
    status_ = makeChild(hwnd(), L"STATIC", L"", SS_LEFTNOWORDWRAP, kStatusId, font_);
}

// Sizes in 96-DPI units, scaled by the window's DPI; the width and height given
// relative to the client area's are scaled before they are taken from it.
void CheckWindow::layout() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const UINT dpi = dpiOf(hwnd());
    const auto s = [dpi](int size96) { return scaled(size96, dpi); };
    const int w = client.right;
    const int h = client.bottom;
    const auto place = [](HWND window, int x, int y, int width, int height) {
        MoveWindow(window, x, y, std::max(width, 0), std::max(height, 0), TRUE);
    };
    place(labels_[0], s(8), s(11), s(48), s(16));
    place(profile_, s(58), s(8), s(110), s(200));
    place(labels_[1], s(180), s(11), s(95), s(16));
    place(frameRate_, s(278), s(8), s(80), s(200));
    place(allLanguagesBox_, s(372), s(9), s(110), s(20));
    place(labels_[2], s(8), s(41), s(48), s(16));
    place(limits_, s(58), s(38), w - s(66), s(22));
    place(list_, s(8), s(68), w - s(16), h - s(68 + 30));
    place(status_, s(8), h - s(24), w - s(16), s(18));
}

LRESULT CheckWindow::onSize(WPARAM, LPARAM) {
    layout();
    return 0;
}

LRESULT CheckWindow::onGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    const UINT dpi = dpiOf(hwnd());
    info->ptMinTrackSize.x = scaled(kMinWidth, dpi);
    info->ptMinTrackSize.y = scaled(kMinHeight, dpi);
    return 0;
}

LRESULT CheckWindow::onSetFocus(WPARAM, LPARAM) {
    if (list_) SetFocus(list_);
    return 0;
}

// Closed by the user (its close box or ESC), it stays closed at the next start;
// destroyed with the program, it opens again.
LRESULT CheckWindow::onClose(WPARAM, LPARAM) {
    memory().setOpen(false);
    DestroyWindow(hwnd());
    return 0;
}

LRESULT CheckWindow::onDestroy(WPARAM, LPARAM) {
    KillTimer(hwnd(), kStatusTimer);
    memory().keepPlace(hwnd());
    editor_.removeView(*this);
    list_ = status_ = profile_ = frameRate_ = allLanguagesBox_ = limits_ = nullptr;
    return 0;
}

void CheckWindow::fillOptions() {
    filling_ = true;
    SendMessageW(profile_, CB_RESETCONTENT, 0, 0);
    int index = 0;
    for (const CheckProfile& profile : checkProfiles()) {
        SendMessageW(profile_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ascii(profile.name).c_str()));
        if (settings_.profile == profile.name) SendMessageW(profile_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ++index;
    }
    SendMessageW(frameRate_, CB_RESETCONTENT, 0, 0);
    index = 0;
    for (const FrameRate rate : kFrameRates) {
        SendMessageW(frameRate_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ascii(frameRateName(rate)).c_str()));
        if (settings_.limits.frameRate == rate) SendMessageW(frameRate_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ++index;
    }
    SendMessageW(allLanguagesBox_, BM_SETCHECK, allLanguages_ ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextW(limits_, overridesText(settings_).c_str());
    filling_ = false;
}

// The settings as the controls now give them: the profile's limits at the chosen
// frame rate, then the limits typed in.
void CheckWindow::readOptions() {
    const int profile = static_cast<int>(SendMessageW(profile_, CB_GETCURSEL, 0, 0));
    const int rate = static_cast<int>(SendMessageW(frameRate_, CB_GETCURSEL, 0, 0));
    std::string text;
    if (profile >= 0 && profile < static_cast<int>(checkProfiles().size()))
        text += std::string("profile=") + checkProfiles()[profile].name;
    if (rate >= 0 && rate < static_cast<int>(std::size(kFrameRates)))
        text += std::string(" fps=") + frameRateName(kFrameRates[rate]);
    wchar_t typed[512] = {};
    GetWindowTextW(limits_, typed, 512);
    text += " " + utf16ToUtf8(fromWide(typed));
    applySettings(parseCheckSettings(text), SendMessageW(allLanguagesBox_, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void CheckWindow::applySettings(const CheckSettings& settings, bool allLanguages) {
    settings_ = settings;
    allLanguages_ = allLanguages;
    keepSettings();
    if (!hwnd()) return;
    fillOptions();
    recheck();
    updateStatus();
}

void CheckWindow::keepSettings() const {
    settings::writeString(kSettingsValue, ascii(checkSettingsText(settings_)));
    settings::writeNumber(kAllLanguagesValue, allLanguages_ ? 1 : 0);
}

LRESULT CheckWindow::onCommand(WPARAM wParam, LPARAM) {
    if (filling_) return 0;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDCANCEL) {
        SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    } else if (((id == kProfileId || id == kFrameRateId) && code == CBN_SELCHANGE) ||
               (id == kAllLanguagesId && code == BN_CLICKED) || (id == kLimitsId && code == EN_KILLFOCUS)) {
        readOptions();
    }
    return 0;
}

LRESULT CheckWindow::onNotify(WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != list_) return 0;
    switch (header->code) {
    case NM_DBLCLK:
        showProblem(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        break;
    case NM_RETURN:
        showProblem(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
        break;
    case LVN_COLUMNCLICK:
        sortBy(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        break;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_ESCAPE)
            PostMessageW(hwnd(), WM_COMMAND, IDCANCEL, 0);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CheckWindow::onTimer(WPARAM, LPARAM) {
    updateStatus();
    return 0;
}

void CheckWindow::documentChanged(const DocumentChange& change) {
    if (!hwnd()) return;
    if (change.rows || change.times || change.texts || change.languages || change.shownLanguage || change.replaced)
        recheck();
    updateStatus();
}

void CheckWindow::recheck() {
    const CaptionDocument& document = editor_.document();
    CheckReport report;
    if (allLanguages_) {
        report = checkDocument(document, settings_.limits);
    } else if (document.hasCurrentLanguage()) {
        report = checkLanguage(document, document.currentLanguage(), settings_.limits);
    }
    problems_ = std::move(report.problems);
    sortBy(sortColumn_);
    const std::size_t count = problems_.size();
    const std::wstring title = L"Check Captions - " +
                               (count == 0 ? std::wstring(L"no problem")
                                           : std::to_wstring(count) + (count == 1 ? L" problem" : L" problems"));
    SetWindowTextW(hwnd(), title.c_str());
}

void CheckWindow::sortBy(int column) {
    sortColumn_ = column;
    const auto key = [column](const CheckProblem& p) {
        switch (column) {
        case 1: return static_cast<double>(p.language);
        case 2: return static_cast<double>(p.startMs);
        case 3: return static_cast<double>(static_cast<int>(p.kind));
        case 4: return -excess(p);
        case 5: return p.limit;
        default: return static_cast<double>(p.language) * 1e9 + p.row;
        }
    };
    std::stable_sort(problems_.begin(), problems_.end(),
                     [&](const CheckProblem& a, const CheckProblem& b) { return key(a) < key(b); });
    fillList();
}

void CheckWindow::fillList() {
    const CaptionDocument& document = editor_.document();
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    for (int i = 0; i < static_cast<int>(problems_.size()); ++i) {
        const CheckProblem& p = problems_[i];
        const bool timed = p.row < document.rowCount() && document.times()[p.row].startMs != kNoTime;
        const std::wstring cells[] = {
            std::to_wstring(p.row + 1),
            p.language < document.languageCount()
                ? toWide(editor_.codePage().fromAnsi(document.language(p.language).className()))
                : std::wstring(),
            timed ? toWide(document.times()[p.row].timeText) : L"-",
            kindLabel(p.kind),
            checkKindHasValue(p.kind) ? ascii(checkNumberText(p.value)) : L"",
            checkKindHasValue(p.kind) ? ascii(checkNumberText(p.limit)) : L"",
        };
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(cells[0].c_str());
        ListView_InsertItem(list_, &item);
        for (int c = 1; c < static_cast<int>(std::size(cells)); ++c)
            ListView_SetItemText(list_, i, c, const_cast<wchar_t*>(cells[c].c_str()));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void CheckWindow::showProblem(int index) {
    if (index < 0 || index >= static_cast<int>(problems_.size())) return;
    const CheckProblem problem = problems_[index];
    CaptionPanel& panel = editor_.panel();
    if (problem.language != editor_.document().currentLanguage()) editor_.showLanguage(problem.language);
    if (problem.row >= panel.rowCount()) return;
    panel.selectRow(problem.row);
    panel.ensureRowVisible(problem.row);
    InvalidateRect(panel.hwnd(), nullptr, TRUE);
    updateStatus();
}

void CheckWindow::updateStatus() {
    if (!status_) return;
    const CaptionDocument& document = editor_.document();
    const CaptionPanel& panel = editor_.panel();
    std::wstring text;
    if (document.hasCurrentLanguage() && panel.hasSelection()) {
        const int row = panel.selectedRow();
        const RowMeasure m = measureRow(document, row, panel.shownText(row), settings_.limits);
        const CheckLimits& limits = settings_.limits;
        text = L"Row " + std::to_wstring(row + 1) + L": ";
        if (m.durationMs < 0) {
            text += L"not on screen yet";
        } else {
            text += ascii(checkNumberText(m.charactersPerSecond)) + L" characters a second (at most " +
                    ascii(checkNumberText(limits.maxCpsHundredths / 100.0)) + L")";
        }
        text += L", longest line " + std::to_wstring(m.text.longestLine) + L" characters (at most " +
                std::to_wstring(limits.maxLineChars) + L"), " + std::to_wstring(m.text.lines) +
                (m.text.lines == 1 ? L" line" : L" lines") + L" (at most " + std::to_wstring(limits.maxLines) + L")";
        if (m.tooFast || m.lineTooLong || m.tooManyLines) text = L"Over the limits. " + text;
    }
    wchar_t shown[512] = {};
    GetWindowTextW(status_, shown, 512);
    if (text != shown) SetWindowTextW(status_, text.c_str());
}

}  // namespace zav
