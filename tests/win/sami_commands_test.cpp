// Export SAMI and Import SAMI on the main window: the file dialogs as the commands
// ask for them, the bytes written to disk, and files read back into the panel and
// the language combo box.

#include "captions/language_commands.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using zav::test::fileBytes;
using zav::test::MainWindowFixture;

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

struct SamiCommandsTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        panel = &window->captionPanel();
        combo = GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO);
        ASSERT_TRUE(combo);
    }
    void command(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void exportTo(const std::wstring& path) {
        ui.fileNames.push_back(path);
        command(IDM_EXPORT_SAMI);
    }
    void importFrom(const std::wstring& path) {
        ui.fileNames.push_back(path);
        command(IDM_IMPORT_SAMI);
    }
    int comboCount() const { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }
    int comboSelection() const { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
    std::wstring comboEntry(int index) const {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The default document with a second language and three timed rows out of
    // order; the English texts are typed into the edit boxes, not yet stored.
    void fillTwoLanguages() {
        zav::appendLanguage(window->captionEditor(), zav::LanguageClass("FRFRCC", "French", "fr-fr"));
        SetWindowTextW(panel->rowEdit(0), L"Hello");
        SetWindowTextW(panel->rowEdit(1), L"Bye <b>&</b>");
        SetWindowTextW(panel->rowEdit(2), L"Middle");
        SetWindowTextW(panel->rowEdit(3), L"untimed");
        zav::CaptionPanelProbe::document(*panel).setText(1, 0, u"Bonjour");
        zav::CaptionPanelProbe::document(*panel).setText(1, 2, u"Milieu");
        panel->setStartTime(1, 2500.7);
        panel->setStartTime(2, 1000);
    }
    std::vector<double> times() const {
        std::vector<double> all;
        for (const auto& entry : panel->document().times()) all.push_back(entry.startMs);
        return all;
    }
    size_t boxesSaying(const wchar_t* text) const {
        size_t count = 0;
        for (const auto& box : ui.boxes) count += box.text == text;
        return count;
    }

    zav::CaptionPanel* panel = nullptr;
    HWND combo = nullptr;
    zav::test::TemporaryFolder folder{L"zav-sami-"};
};

const std::string kTwoLanguageFile = crlfLines({
    "<SAMI>",
    "<HEAD>",
    "   <SAMIParam>",
    "   </SAMIParam>",
    "   <STYLE type=\"text/css\"><!--",
    "\t.US English { name:US English; lang:en-us;  samitype:CC; }",
    "\t.FRFRCC { name:French; lang:fr-fr;  samitype:CC; }",
    "   --></STYLE>",
    "</HEAD>",
    "<BODY>",
    "<SYNC start=0>",
    "<P class=US English>Hello",
    "<P class=FRFRCC>Bonjour",
    "<SYNC start=1000>",
    "<P class=US English>Middle",
    "<P class=FRFRCC>Milieu",
    "<SYNC start=2500>",
    "<P class=US English>Bye <b>&</b>",
    "<P class=FRFRCC>",
    "</BODY>",
    "</SAMI>",
});

TEST_F(SamiCommandsTest, ExportAsksForANameAndWritesEveryTimedRowSorted) {
    fillTwoLanguages();
    exportTo(folder.inside(L"captions"));

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const auto& asked = ui.fileDialogs[0];
    EXPECT_EQ(asked.owner, nullptr);
    EXPECT_EQ(asked.filter, L"SAMI file|*.smi|");
    EXPECT_EQ(asked.flags, 0x12u);
    EXPECT_EQ(asked.maxFile, 300u);
    EXPECT_EQ(asked.initialFile, L"");
    EXPECT_FALSE(asked.hasInitialDir);
    EXPECT_FALSE(asked.hasDefaultExtension);
    EXPECT_EQ(ui.fileDialogTitles[0], L"Save As");

    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(exists(folder.inside(L"captions")));
    EXPECT_EQ(fileBytes(folder.inside(L"captions.smi")), kTwoLanguageFile);
    // The rows were sorted for the export, and stay sorted.
    EXPECT_EQ(times()[1], 1000);
    EXPECT_EQ(panel->document().text(0, 1), u"Middle");
}

TEST_F(SamiCommandsTest, ExportOverwritesTheLongerNameWithoutAsking) {
    fillTwoLanguages();
    folder.write(L"old.smi", std::string(5000, 'x'));
    exportTo(folder.inside(L"old"));
    EXPECT_EQ(fileBytes(folder.inside(L"old.smi")), kTwoLanguageFile);
    // A name ending in ".smi" gets nothing more; one ending in ".SMI" does.
    exportTo(folder.inside(L"upper.SMI"));
    EXPECT_TRUE(exists(folder.inside(L"upper.SMI.smi")));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SamiCommandsTest, CancelledExportNeitherSortsNorWrites) {
    fillTwoLanguages();
    const std::vector<double> before = times();
    ui.fileNames.push_back(L"");
    command(IDM_EXPORT_SAMI);
    EXPECT_EQ(times(), before);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SamiCommandsTest, UnwritableFileIsReported) {
    exportTo(folder.inside(L"no such folder\\captions"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't Save SAMI file.");
    EXPECT_EQ(ui.boxes[0].caption, L"");
    EXPECT_FALSE(ui.boxes[0].nullCaption);
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(ui.boxes[0].type, static_cast<UINT>(MB_OK));

    // A name the ANSI code page cannot spell would be written under some other name.
    const std::wstring unspellable = folder.inside(L"\u4e2d\u6587");
    BOOL lossy = FALSE;
    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u4e2d", 1, ansi, sizeof ansi, nullptr, &lossy);
    if (lossy) {
        exportTo(unspellable);
        EXPECT_EQ(boxesSaying(L"Error, can't Save SAMI file."), 2u);
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(folder.inside(L"*.smi").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
}

TEST_F(SamiCommandsTest, ImportReadsAnExportedFileIntoThePanel) {
    folder.write(L"in.smi", kTwoLanguageFile);
    importFrom(folder.inside(L"in.smi"));

    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].owner, nullptr);
    EXPECT_EQ(ui.fileDialogs[0].filter, L"SAMI Script|*.smi|");
    EXPECT_EQ(ui.fileDialogs[0].flags, 0x12u);
    EXPECT_EQ(ui.fileDialogs[0].maxFile, 300u);
    EXPECT_EQ(ui.fileDialogTitles[0], L"Open Caption SAMI File");
    EXPECT_TRUE(ui.boxes.empty());

    // The class "US English" comes back as "US", with its names intact.
    ASSERT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->document().languages()[0].className(), "US");
    EXPECT_EQ(panel->document().languages()[0].displayName(), "US English");
    EXPECT_EQ(panel->document().languages()[1].langCode(), "fr-fr");
    ASSERT_EQ(comboCount(), 2);
    EXPECT_EQ(comboEntry(0), L"US");
    EXPECT_EQ(comboEntry(1), L"FRFRCC");
    EXPECT_EQ(comboSelection(), 0);
    EXPECT_EQ(panel->document().currentLanguage(), 0);

    ASSERT_EQ(panel->rowCount(), 3);
    EXPECT_EQ(times(), (std::vector<double>{0, 1000, 2500}));
    EXPECT_EQ(windowText(panel->rowLabel(0)), L"00:00:00:000");
    EXPECT_EQ(windowText(panel->rowLabel(2)), L"00:00:02:500");
    EXPECT_EQ(windowText(panel->rowEdit(0)), L"Hello");
    EXPECT_EQ(windowText(panel->rowEdit(2)), L"Bye <b>&</b>");
    EXPECT_EQ(panel->document().text(1, 1), u"Milieu");
    EXPECT_EQ(panel->document().text(1, 2), u"");

    // Exported again, the file differs only in the class name.
    exportTo(folder.inside(L"again.smi"));
    std::string expected = kTwoLanguageFile;
    const std::pair<std::string, std::string> renamed[] = {{".US English {", ".US {"}, {"=US English>", "=US>"}};
    for (const auto& [from, to] : renamed) {
        for (size_t at; (at = expected.find(from)) != std::string::npos;) expected.replace(at, from.size(), to);
    }
    EXPECT_EQ(fileBytes(folder.inside(L"again.smi")), expected);
}

// The first five lines Export SAMI writes: a file that begins with them is read by
// the reader made for the program's own files, quirks included.
const std::string kOwnHeader = crlfLines({"<SAMI>", "<HEAD>", "   <SAMIParam>", "   </SAMIParam>",
                                          "   <STYLE type=\"text/css\"><!--"});

// Files in the exported layout line for line (a P of a class the file does not
// declare would leave it, and go to the tolerant reader).
TEST_F(SamiCommandsTest, ImportWithoutKnownClassesRefusesEveryRow) {
    folder.write(L"lower.smi", kOwnHeader + "   --></STYLE>\r\n</HEAD>\r\n<BODY>\r\n"
                                            "<SYNC start=1>\r\n<SYNC start=2>\r\n</BODY>\r\n");
    importFrom(folder.inside(L"lower.smi"));
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(boxesSaying(L"You must create a language class to add an edit box."), 2u);
    EXPECT_EQ(panel->document().languageCount(), 0);
    EXPECT_EQ(panel->rowCount(), 0);
    EXPECT_EQ(comboCount(), 0);
}

TEST_F(SamiCommandsTest, ImportOfClassesWithoutBodySelectsTheFirstLanguage) {
    folder.write(L"style.smi", kOwnHeader + "\t.A { name:a; lang:;  samitype:CC; }\r\n"
                                            "\t.B { name:b; lang:;  samitype:CC; }\r\n   --></STYLE>\r\n</HEAD>\r\n");
    importFrom(folder.inside(L"style.smi"));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->rowCount(), 0);
    EXPECT_EQ(comboCount(), 2);
    EXPECT_EQ(comboSelection(), 0);
}

// Files from other tools go to the tolerant reader: what each gives in the panel.
struct ForeignFile {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> classes;  // the combo box's entries
    std::vector<double> times;
    std::vector<std::u16string> firstLanguageTexts;
};

TEST_F(SamiCommandsTest, FilesFromOtherToolsAreReadByTheTolerantReader) {
    const ForeignFile files[] = {
        {"lower_case", "<sami><head><style><!--\r\n.A { name:a; }\r\n--></style></head>\r\n<body>\r\n"
                       "<sync start=1>\r\n<p class=a>one\r\n<sync start='2'>\r\n</body></sami>\r\n",
         {L"A"}, {1, 2}, {u"one", u""}},
        {"utf8_mark_two_languages", "\xEF\xBB\xBF<SAMI><BODY><SYNC Start=\"500\"><P Class=ENCC>caf\xC3\xA9</P>"
                                    "<P Class=FRCC>th\xC3\xA9</P></SYNC><SYNC Start=900><P Class=ENCC>&nbsp;</BODY>",
         {L"ENCC", L"FRCC"}, {500, 900}, {u"caf\u00E9", u""}},
        {"text_on_the_next_lines", "<SAMI><BODY><SYNC Start=10><P>\r\n  two\r\n  lines\r\n</P></BODY></SAMI>",
         {L"CC"}, {10}, {u"two lines"}},
    };
    for (const ForeignFile& file : files) {
        SCOPED_TRACE(file.name);
        ui.boxes.clear();
        importFrom(folder.write(std::wstring(file.name, file.name + std::strlen(file.name)) + L".smi", file.bytes));
        EXPECT_TRUE(ui.boxes.empty());
        ASSERT_EQ(comboCount(), static_cast<int>(file.classes.size()));
        for (size_t i = 0; i < file.classes.size(); ++i) EXPECT_EQ(comboEntry(static_cast<int>(i)), file.classes[i]);
        EXPECT_EQ(comboSelection(), 0);
        EXPECT_EQ(times(), file.times);
        ASSERT_EQ(panel->rowCount(), static_cast<int>(file.firstLanguageTexts.size()));
        for (int row = 0; row < panel->rowCount(); ++row) {
            EXPECT_EQ(panel->document().text(0, row), file.firstLanguageTexts[row]);
            EXPECT_EQ(windowText(panel->rowEdit(row)), std::wstring(file.firstLanguageTexts[row].begin(),
                                                                    file.firstLanguageTexts[row].end()));
        }
        EXPECT_TRUE(panel->document().isConsistent());
    }
}

TEST_F(SamiCommandsTest, ForeignFileWithoutCaptionsKeepsTheWorkAndSaysSo) {
    SetWindowTextW(panel->rowEdit(2), L"typed before the import");
    folder.write(L"style.smi", "<STYLE><!--\r\n\t.A { name:a; }\r\n--></STYLE>\r\n<BODY><SYNC start=5></BODY>");
    importFrom(folder.inside(L"style.smi"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              L"The file holds no caption that could be read; the captions were left as they were.");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(comboCount(), 1);
    EXPECT_EQ(windowText(panel->rowEdit(2)), L"typed before the import");
}

TEST_F(SamiCommandsTest, CutCaptionsAreCountedInOneMessage) {
    const std::string longText(250, 'x');
    for (const bool own : {false, true}) {
        SCOPED_TRACE(own);
        ui.boxes.clear();
        const std::string body = "<BODY>\r\n<SYNC start=1>\r\n<P class=A>" + longText + "\r\n<SYNC start=2>\r\n<P class=A>" +
                                 longText + "\r\n<SYNC start=3>\r\n<P class=A>short\r\n</BODY>\r\n";
        const std::string style = "\t.A { name:a; lang:x; }\r\n   --></STYLE>\r\n</HEAD>\r\n";
        folder.write(L"long.smi", own ? kOwnHeader + style + body : "<SAMI><HEAD><STYLE><!--\r\n" + style + body);
        importFrom(folder.inside(L"long.smi"));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, L"2 captions were longer than 199 characters and cut to that length.");
        ASSERT_EQ(panel->rowCount(), 3);
        EXPECT_EQ(panel->document().text(0, 0), std::u16string(199, u'x'));
    }
}

TEST_F(SamiCommandsTest, ImportOfAMissingFileSaysSoAndKeepsTheWork) {
    SetWindowTextW(panel->rowEdit(3), L"typed before the import");
    importFrom(folder.inside(L"missing.smi"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't open SAMI file.");
    EXPECT_EQ(ui.boxes[0].owner, window->hwnd());
    EXPECT_EQ(panel->document().languageCount(), 1);
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(comboCount(), 1);
    panel->storeEditTexts();
    EXPECT_EQ(panel->document().text(panel->document().currentLanguage(), 3), u"typed before the import");
}

TEST_F(SamiCommandsTest, CancelledImportChangesNothing) {
    ui.fileNames.push_back(L"");
    command(IDM_IMPORT_SAMI);
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(panel->rowCount(), 12);
    EXPECT_EQ(panel->document().languageCount(), 1);
    EXPECT_EQ(comboCount(), 1);
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
