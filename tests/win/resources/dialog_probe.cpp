#include "tests/win/resources/dialog_probe.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace zav::test {
namespace {

INT_PTR CALLBACK quietProc(HWND, UINT, WPARAM, LPARAM) noexcept {
    return FALSE;
}

void ensureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    ASSERT_TRUE(done);
}

// One control of an extended dialog template, as stored.
struct StoredItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // x, y, width, height
    int id = 0;
    std::wstring className;
    std::wstring text;
    bool textIsOrdinal = false;
};

struct StoredDialog {
    DWORD style = 0;
    int width = 0;
    int height = 0;
    std::wstring title;
    int pointSize = 0;
    std::wstring font;
    std::vector<StoredItem> items;
};

// Reads the fields of DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries in order.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* start) : start_(start), at_(start) {}

    WORD word() { WORD v; std::memcpy(&v, at_, 2); at_ += 2; return v; }
    DWORD dword() { DWORD v; std::memcpy(&v, at_, 4); at_ += 4; return v; }
    short shortValue() { return static_cast<short>(word()); }
    std::wstring string() {
        std::wstring s;
        for (WORD c = word(); c != 0; c = word()) s.push_back(static_cast<wchar_t>(c));
        return s;
    }
    // A name or an ordinal; an ordinal comes back as its number in text form.
    std::wstring nameOrOrdinal(bool* isOrdinal = nullptr) {
        WORD first;
        std::memcpy(&first, at_, 2);
        if (isOrdinal) *isOrdinal = first == 0xFFFF;
        if (first == 0xFFFF) {
            at_ += 2;
            return std::to_wstring(word());
        }
        return string();
    }
    void alignToDword() {
        while ((at_ - start_) % 4 != 0) ++at_;
    }
    void skip(size_t bytes) { at_ += bytes; }

private:
    const BYTE* start_;
    const BYTE* at_;
};

std::wstring standardClassName(const std::wstring& stored) {
    if (stored == L"128") return L"Button";
    if (stored == L"129") return L"Edit";
    if (stored == L"130") return L"Static";
    if (stored == L"133") return L"ComboBox";
    return stored;
}

bool readTemplate(int id, StoredDialog& out) {
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (!found) return false;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, found)));
    if (!bytes) return false;
    TemplateReader r(bytes);
    if (r.word() != 1 || r.word() != 0xFFFF) {
        ADD_FAILURE() << "dialog " << id << " is not an extended template";
        return false;
    }
    r.dword();  // help id
    r.dword();  // extended style
    out.style = r.dword();
    const WORD count = r.word();
    r.shortValue();
    r.shortValue();
    out.width = r.shortValue();
    out.height = r.shortValue();
    r.nameOrOrdinal();  // menu
    r.nameOrOrdinal();  // window class
    out.title = r.string();
    if (out.style & (DS_SETFONT | DS_SHELLFONT)) {
        out.pointSize = r.word();
        r.word();   // weight
        r.skip(2);  // italic, character set
        out.font = r.string();
    }
    for (WORD i = 0; i < count; ++i) {
        r.alignToDword();
        StoredItem item;
        r.dword();  // help id
        item.exStyle = r.dword();
        item.style = r.dword();
        item.rect.left = r.shortValue();
        item.rect.top = r.shortValue();
        item.rect.right = r.shortValue();
        item.rect.bottom = r.shortValue();
        item.id = static_cast<int>(r.dword());
        item.className = standardClassName(r.nameOrOrdinal());
        item.text = r.nameOrOrdinal(&item.textIsOrdinal);
        r.skip(r.word());  // creation data
        out.items.push_back(item);
    }
    return true;
}

const wchar_t* expectedClass(Kind kind) {
    switch (kind) {
    case Kind::PushButton:
    case Kind::DefButton:
    case Kind::GroupBox: return L"Button";
    case Kind::Text:
    case Kind::CenteredText:
    case Kind::Picture: return L"Static";
    case Kind::Edit: return L"Edit";
    case Kind::Combo: return L"ComboBox";
    case Kind::Trackbar: return TRACKBAR_CLASSW;
    }
    return L"";
}

void expectKindStyle(DWORD style, Kind kind) {
    switch (kind) {
    case Kind::PushButton: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)); break;
    case Kind::DefButton: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON)); break;
    case Kind::GroupBox: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)); break;
    case Kind::Text: EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT)); break;
    case Kind::CenteredText: EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER)); break;
    case Kind::Picture: EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_BITMAP)); break;
    case Kind::Combo: EXPECT_EQ(style & 3u, static_cast<DWORD>(CBS_DROPDOWN)); break;
    case Kind::Edit:
    case Kind::Trackbar: break;
    }
}

void expectStoredItem(const StoredItem& item, const ControlLayout& want) {
    EXPECT_EQ(item.id, want.id);
    EXPECT_EQ(_wcsicmp(item.className.c_str(), expectedClass(want.kind)), 0)
        << "class " << testing::PrintToString(item.className);
    expectKindStyle(item.style, want.kind);
    EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(item.style & want.style, want.style) << std::hex << "style 0x" << item.style;
    EXPECT_EQ(item.exStyle & want.exStyle, want.exStyle) << std::hex << "extended style 0x" << item.exStyle;
    EXPECT_EQ(item.rect.left, want.rect.left);
    EXPECT_EQ(item.rect.top, want.rect.top);
    EXPECT_EQ(item.rect.right, want.rect.right) << "width";
    EXPECT_EQ(item.rect.bottom, want.rect.bottom) << "height";
    if (want.kind == Kind::Picture)
        EXPECT_TRUE(item.textIsOrdinal) << "a picture names its bitmap by number";
    else
        EXPECT_EQ(item.text, std::wstring(want.text));
}

// The live control: the class exists, the text arrived, a picture has its bitmap.
void expectLiveControl(HWND control, const ControlLayout& want) {
    EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, want.id & 0xFFFF);
    EXPECT_EQ(_wcsicmp(className(control).c_str(), expectedClass(want.kind)), 0)
        << "class " << testing::PrintToString(className(control));
    if (want.kind != Kind::Picture) {
        EXPECT_EQ(windowText(control), std::wstring(want.text));
        return;
    }
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_NE(bitmap, nullptr) << "the picture control shows no bitmap";
}

}  // namespace

DialogProbe::DialogProbe(int templateId) {
    ensureCommonControls();
    const HINSTANCE self = GetModuleHandleW(nullptr);
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1000, 800, nullptr, nullptr, self, nullptr);
    dialog_ = CreateDialogParamW(self, MAKEINTRESOURCEW(templateId), parent_, quietProc, 0);
}

DialogProbe::~DialogProbe() {
    if (dialog_) DestroyWindow(dialog_);
    if (parent_) DestroyWindow(parent_);
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::vector<HWND> childrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

void expectDialogMatches(const DialogLayout& expected) {
    SCOPED_TRACE("dialog " + std::to_string(expected.id));
    StoredDialog stored;
    ASSERT_TRUE(readTemplate(expected.id, stored)) << "no dialog template";
    constexpr DWORD compared = WS_POPUP | WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_VISIBLE |
                               DS_MODALFRAME | DS_SETFONT;
    EXPECT_EQ(stored.style & compared, expected.style) << std::hex << "style 0x" << stored.style;
    EXPECT_EQ(stored.title, std::wstring(expected.title));
    EXPECT_EQ(stored.font, std::wstring(expected.font));
    EXPECT_EQ(stored.pointSize, 8);
    EXPECT_EQ(stored.width, expected.width);
    EXPECT_EQ(stored.height, expected.height);
    ASSERT_EQ(stored.items.size(), expected.controls.size());
    for (size_t i = 0; i < stored.items.size(); ++i) {
        SCOPED_TRACE("stored control #" + std::to_string(i) + " id " + std::to_string(expected.controls[i].id));
        expectStoredItem(stored.items[i], expected.controls[i]);
    }

    DialogProbe probe(expected.id);
    const HWND dialog = probe.handle();
    ASSERT_NE(dialog, nullptr) << "template cannot be created, error " << GetLastError();
    EXPECT_EQ(windowText(dialog), std::wstring(expected.title));
    EXPECT_EQ(IsWindowVisible(dialog) != FALSE, (expected.style & WS_VISIBLE) != 0);
    const std::vector<HWND> children = childrenInOrder(dialog);
    ASSERT_EQ(children.size(), expected.controls.size());
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("live control #" + std::to_string(i) + " id " + std::to_string(expected.controls[i].id));
        expectLiveControl(children[i], expected.controls[i]);
    }
}

}  // namespace zav::test
