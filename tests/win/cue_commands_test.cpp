// SubRip, WebVTT and TTML on the main window: the exports' bytes on disk, the import
// that replaces the document, the language added from a file, and what bad files leave.

#include "captions/language_commands.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/temporary_folder.h"

#include <string>
#include <vector>

namespace {

using zav::test::clickButton;
using zav::test::fileBytes;
using zav::test::fileExists;
using zav::test::MainWindowFixture;

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

struct CueCommandsTest : MainWindowFixture {
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(create());
        panel = &window->captionPanel();
        combo = GetDlgItem(window->commandPanel(), IDC_LANGUAGE_COMBO);
    }
    void command(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void run(int id, const std::wstring& path) {
        ui.fileNames.push_back(path);
        command(id);
    }
    // Typed texts (not yet stored) and times out of order, as a user leaves them.
    void stampCaptions() {
        SetWindowTextW(panel->rowEdit(0), L"Hello");
        SetWindowTextW(panel->rowEdit(1), L"Last<br>one");
        SetWindowTextW(panel->rowEdit(3), L"Second <i>line</i> &amp; more");
        panel->setStartTime(1, 6000);
        panel->setStartTime(2, 4000.9);
        panel->setStartTime(3, 2500);
    }
    std::vector<double> times() const {
        std::vector<double> all;
        for (const auto& entry : panel->document().times()) all.push_back(entry.startMs);
        return all;
    }
    int comboCount() const { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

    zav::CaptionPanel* panel = nullptr;
    HWND combo = nullptr;
    zav::test::TemporaryFolder folder{L"zav-cues-"};
};

TEST_F(CueCommandsTest, ExportsWriteTheCurrentLanguageSortedWithTheirExtension) {
    struct Export {
        int command;
        const wchar_t* typed;
        const wchar_t* written;
        std::string bytes;
    };
    const Export exports[] = {
        {IDM_EXPORT_SUBRIP, L"film", L"film.srt",
         "1\r\n00:00:00,000 --> 00:00:02,500\r\nHello\r\n\r\n2\r\n00:00:02,500 --> 00:00:04,000\r\n"
         "Second <i>line</i> & more\r\n\r\n3\r\n00:00:06,000 --> 00:00:07,500\r\nLast\r\none\r\n\r\n"},
        {IDM_EXPORT_WEBVTT, L"\u4E2D\u6587.vtt", L"\u4E2D\u6587.vtt",
         "WEBVTT\r\n\r\n00:00:00.000 --> 00:00:02.500\r\nHello\r\n\r\n00:00:02.500 --> 00:00:04.000\r\n"
         "Second <i>line</i> &amp; more\r\n\r\n00:00:06.000 --> 00:00:07.500\r\nLast\r\none\r\n\r\n"},
    };
    stampCaptions();
    for (const Export& exported : exports) {
        SCOPED_TRACE(exported.written);
        run(exported.command, folder.inside(exported.typed));
        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(fileBytes(folder.inside(exported.written)), exported.bytes);
    }
    // The export sorted the rows, as Export SAMI does.
    EXPECT_EQ(times(), (std::vector<double>{0, 2500, 4000.9, 6000, -1, -1, -1, -1, -1, -1, -1, -1}));
}

TEST_F(CueCommandsTest, ImportReplacesTheDocumentAndReportsWhatItChanged) {
    stampCaptions();
    const std::wstring path = folder.write(L"in.srt",
                                           "1\r\n00:00:01,000 --> 00:00:03,000\r\nfirst\r\nline two\r\n\r\n"
                                           "2\r\n00:00:02,500 --> 00:00:04,000\r\n<b>overlapping</b>\r\n\r\n"
                                           "garbage block\r\n\r\n"
                                           "00:00:05.000 --> 00:00:06.000\r\nno index\r\n");
    run(IDM_IMPORT_CUE_FILE, path);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"1 block could not be read and was skipped. "
                                L"1 caption overlapped the next and was shortened.");
    EXPECT_EQ(times(), (std::vector<double>{1000, 2500, 4000, 5000, 6000}));
    const std::u16string texts[] = {u"first<br>line two", u"<b>overlapping</b>", u"", u"no index", u""};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(panel->document().text(0, row), texts[row]) << row;
    EXPECT_EQ(windowText(panel->rowEdit(0)), L"first<br>line two");
    // One language, named as the current one was.
    ASSERT_EQ(panel->document().languageCount(), 1);
    EXPECT_EQ(panel->document().languages()[0].className(), "US English");
    EXPECT_EQ(comboCount(), 1);
    EXPECT_TRUE(panel->document().isConsistent());
}

TEST_F(CueCommandsTest, FilesWithoutACueLeaveTheDocumentAsItWas) {
    stampCaptions();
    for (const char* bytes : {"", "WEBVTT\r\n\r\nNOTE nothing here\r\n", "just some text\r\n"}) {
        ui.boxes.clear();
        run(IDM_IMPORT_CUE_FILE, folder.write(L"empty.vtt", bytes));
        run(IDM_ADD_CUE_LANGUAGE, folder.inside(L"empty.vtt"));
        ASSERT_EQ(ui.boxes.size(), 2u);
        EXPECT_EQ(ui.boxes[0].text, L"The file holds no SubRip or WebVTT caption that could be read; the captions "
                                    L"were left as they were.");
        EXPECT_EQ(panel->rowCount(), 12);
        EXPECT_EQ(windowText(panel->rowEdit(0)), L"Hello");
    }
    ui.boxes.clear();
    run(IDM_IMPORT_CUE_FILE, folder.inside(L"missing.srt"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Could not open the caption file.");
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(CueCommandsTest, AddedLanguageMatchesRowsByTimeAndKeepsTheOthers) {
    stampCaptions();
    const std::wstring path = folder.write(L"fr.vtt",
                                           "WEBVTT\r\n\r\n00:00:02.500 --> 00:00:03.000\r\nDeux\r\n\r\n"
                                           "00:00:06.000 --> 00:00:07.000 align:start\r\n<v Anne>Fin</v>\r\n");
    ui.dialogScripts.push_back([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_CLASS_NAME, L"French");
        clickButton(dialog, IDOK);
    });
    run(IDM_ADD_CUE_LANGUAGE, path);
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->document().languages()[1].className(), "French");
    EXPECT_EQ(comboCount(), 2);
    // Rows of 2500 and 6000 take the cues; the cue ending at 3000 clears at a new row.
    EXPECT_EQ(times(), (std::vector<double>{0, 2500, 3000, 4000.9, 6000, 7000, -1, -1, -1, -1, -1, -1, -1, -1}));
    const std::u16string english[] = {u"Hello", u"Second <i>line</i> &amp; more", u"Second <i>line</i> &amp; more",
                                      u"", u"Last<br>one", u"Last<br>one"};
    const std::u16string french[] = {u"", u"Deux", u"", u"", u"Fin", u""};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(panel->document().text(0, row), english[row]) << row;
        EXPECT_EQ(panel->document().text(1, row), french[row]) << row;
    }
    // The shown language stays the current one.
    EXPECT_EQ(panel->document().currentLanguage(), 0);
    EXPECT_EQ(windowText(panel->rowEdit(2)), L"Second <i>line</i> &amp; more");

    // A cancelled name adds nothing.
    run(IDM_ADD_CUE_LANGUAGE, path);
    EXPECT_EQ(panel->document().languageCount(), 2);
    EXPECT_TRUE(panel->document().isConsistent());
}

TEST_F(CueCommandsTest, ExportsNeedALanguageAndReportAFileThatCannotBeWritten) {
    run(IDM_EXPORT_SUBRIP, folder.inside(L"no such folder\\out.srt"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, L"Error, can't save the SubRip file.");
    EXPECT_FALSE(fileExists(folder.inside(L"no such folder\\out.srt")));

    command(IDM_NEW_TRANSCRIPT_FILE);
    run(IDM_EXPORT_WEBVTT, folder.inside(L"out.vtt"));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[1].text, L"You must create a language class before you export captions.");
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_FALSE(fileExists(folder.inside(L"out.vtt")));
}

// TTML through the editor: both exports, the all-languages file read back as two
// languages, one added from a file by its codes, and a malformed file that changes
// nothing and names its line.
TEST_F(CueCommandsTest, TtmlGoesOutAndComesBackInEveryLanguage) {
    stampCaptions();
    command(IDC_SORT_BY_TIME);
    panel->setStartTime(4, 8000);
    zav::appendLanguage(window->captionEditor(), zav::LanguageClass("FRCC", "French", "fr"));
    zav::CaptionPanelProbe::document(*panel).setText(1, 1, u"Deuxi\u00E8me");
    run(IDM_EXPORT_TTML, folder.inside(L"one"));
    run(IDM_EXPORT_TTML_ALL, folder.inside(L"all.ttml"));
    EXPECT_TRUE(ui.boxes.empty());
    const std::string one = fileBytes(folder.inside(L"one.ttml"));
    const std::string all = fileBytes(folder.inside(L"all.ttml"));
    EXPECT_NE(one.find("<p begin=\"00:00:02.500\" end=\"00:00:04.000\">Second <span tts:fontStyle=\"italic\">line"
                       "</span> &amp; more</p>"),
              std::string::npos)
        << one;
    EXPECT_EQ(one.find("xml:lang=\"fr\""), std::string::npos);
    EXPECT_NE(all.find("<div xml:lang=\"fr\">"), std::string::npos) << all;

    run(IDM_IMPORT_CUE_FILE, folder.inside(L"all.ttml"));
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_EQ(panel->document().languageCount(), 2);
    EXPECT_EQ(panel->document().languages()[1].className(), "FRCC");
    EXPECT_EQ(comboCount(), 2);
    EXPECT_EQ(panel->document().text(1, 1), u"Deuxi\u00E8me");
    // A lone "&" needs no entity in the document text.
    EXPECT_EQ(windowText(panel->rowEdit(1)), L"Second <i>line</i> & more");
    EXPECT_EQ(window->captionEditor().undoName(), u"Import TTML");

    run(IDM_ADD_CUE_LANGUAGE, folder.write(L"de.ttml", "<tt xmlns=\"http://www.w3.org/ns/ttml\" xml:lang=\"de\"><body><div>"
                                                        "<p begin=\"1s\" end=\"2s\">Eins</p></div></body></tt>"));
    EXPECT_TRUE(ui.dialogs.empty());
    ASSERT_EQ(panel->document().languageCount(), 3);
    EXPECT_EQ(panel->document().languages()[2].className(), "DECC");

    const zav::CaptionDocument before = panel->document();
    run(IDM_IMPORT_CUE_FILE, folder.write(L"bad.ttml", "<tt xmlns=\"http://www.w3.org/ns/ttml\">\n<body>\n<p>open\n"
                                                       "</body></tt>"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind(L"The file could not be read as TTML (line 4: ", 0), 0u) << ui.boxes[0].text;
    EXPECT_EQ(panel->document().languageCount(), before.languageCount());
    EXPECT_EQ(panel->rowCount(), before.rowCount());
}

}  // namespace
