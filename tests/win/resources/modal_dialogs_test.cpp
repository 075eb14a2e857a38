// The modal dialogs: the information boxes, Open Media and the Producer movie
// explanation, Edit Caption Start Time, Add Language, the caption length of the
// text script import and the four steps of the ASX wizard.

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/win/resources/dialog_probe.h"

namespace zav::test {
namespace {

constexpr DWORD kLine = WS_GROUP;  // plain text lines of the information boxes

TEST(InformationDialogs, AboutBoxMatchesItsLayout) {
    expectDialogMatches({IDD_ABOUT, L"About ZAV Caption", kModalStyle, L"MS Sans Serif", 455, 276, {
        {IDOK, Kind::DefButton, L"OK", {15, 249, 50, 14}, WS_TABSTOP},
        {-1, Kind::Picture, nullptr, {215, 7, 233, 253}},
        {-1, Kind::GroupBox, L"About ZAV", {7, 7, 204, 62}},
        {-1, Kind::Text,
         L"ZAV is a small independent group that builds affordable tools for accessible media, "
         L"for schools, libraries and community organizations.",
         {13, 17, 192, 27}, kLine},
        {-1, Kind::Text, L"On the web :  http://www.zav.example.org", {14, 44, 192, 18}, kLine},
        {-1, Kind::GroupBox, L"About ZAV Caption", {7, 72, 203, 93}},
        {-1, Kind::Text,
         L"ZAV Caption was written by the developers of the ZAV media group. The program is meant "
         L"as a low-cost, easy to use package for creating video captions.",
         {13, 84, 191, 38}, kLine},
        {-1, Kind::Text,
         L"The capability to caption videos is a neccessity for any organization with a need or "
         L"requirement to tailor to a hearing impaired demographic.",
         {13, 123, 192, 28}, kLine},
        {-1, Kind::GroupBox, L"ZAV Caption Version Info", {7, 170, 202, 48}},
        {-1, Kind::Text, L"", {15, 186, 174, 10}, kLine},
        {-1, Kind::Text, L"", {15, 198, 110, 12}, kLine},
    }});
}

TEST(InformationDialogs, QuickKeyReferenceMatchesItsLayout) {
    expectDialogMatches({IDD_QUICK_KEY_REFERENCE, L"Quick Key Reference", kModalStyle | WS_VISIBLE,
                         L"MS Sans Serif", 326, 113, {
        {IDOK, Kind::DefButton, L"Close", {249, 91, 50, 14}, WS_TABSTOP},
        {-1, Kind::Text, L"F11 (Quick Rewind)  : Rewinds the Media player by 3 seconds.", {7, 7, 284, 10}, kLine},
        {-1, Kind::Text, L"F12 (Quick Fast Forward : Fast Forwards the Media player by 3 seconds.",
         {7, 21, 284, 10}, kLine},
        {-1, Kind::Text, L"TAB (play/pause) : Toggles between playing and pausing the media player.",
         {7, 35, 284, 10}, kLine},
        {-1, Kind::Text,
         L"ENTER/RETURN (set next time) : Pressing this button starts a new caption an automatically "
         L"sets it's start time for you.  The start time is set as the moment that you pressed ENTER.",
         {7, 52, 284, 30}, kLine},
    }});
}

TEST(InformationDialogs, HelpContentsMatchesItsLayout) {
    expectDialogMatches({IDD_HELP_CONTENTS, L"Help Contents", kModalStyle | WS_VISIBLE, L"MS Sans Serif",
                         271, 94, {
        {IDOK, Kind::DefButton, L"OK", {208, 71, 50, 14}, WS_TABSTOP},
        {-1, Kind::Text,
         L"The detailed help manual was installed in your start menu along with your ZAV Caption "
         L"software.  Go to Start->Programs->ZAV Caption->ZAV Caption Help  to veiw the manual.  "
         L"The manual is also available online at : ",
         {13, 13, 240, 28}, kLine},
        {-1, Kind::GroupBox, L"", {7, 7, 257, 58}},
        {-1, Kind::Text, L"     http://www.zav.example.org/zavcaption/manual.html", {17, 44, 232, 13}, kLine},
    }});
}

TEST(OpenMediaDialogs, OpenMediaMatchesItsLayout) {
    expectDialogMatches({IDD_OPEN_MEDIA, L"Open Media", kModalStyle, L"MS Shell Dlg", 274, 74, {
        {-1, Kind::Text, L"Enter the Movie file to open or Browse for it:", {7, 7, 138, 8}},
        {IDC_MEDIA_PATH, Kind::Edit, L"", {7, 25, 221, 14}, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
        {IDC_BROWSE_MEDIA, Kind::PushButton, L"Browse", {232, 26, 35, 14}, WS_TABSTOP, WS_EX_CLIENTEDGE},
        {IDOK, Kind::DefButton, L"OK", {160, 53, 50, 14}, WS_TABSTOP},
        {IDCANCEL, Kind::PushButton, L"Cancel", {217, 53, 50, 14}, WS_TABSTOP},
    }});
}

TEST(OpenMediaDialogs, ProducerMovieExplanationMatchesItsLayout) {
    expectDialogMatches({IDD_OPEN_PRODUCER_MOVIE, L"Open Producer Movie", kModalStyle, L"MS Sans Serif",
                         306, 131, {
        {-1, Kind::Text,
         L"A Producer Movie is a .wmv movie that is stored within your Producer project directory.  "
         L"Press the Select Movie button below, and then browse to your Producer project directory.  "
         L"Open the .wmv movie file that is contained in that directory.",
         {13, 18, 278, 49}},
        {IDOK, Kind::DefButton, L"Select Movie>>", {207, 103, 83, 14}},
        {IDCANCEL, Kind::PushButton, L"Cancel", {151, 103, 50, 14}},
    }});
}

TEST(EditStartTimeDialog, MatchesItsLayout) {
    constexpr DWORD field = ES_NUMBER | WS_BORDER | WS_TABSTOP;
    expectDialogMatches({IDD_EDIT_START_TIME, L"Edit Caption Start Time", kModalStyle, L"MS Shell Dlg",
                         229, 111, {
        {IDOK, Kind::DefButton, L"OK", {115, 90, 50, 14}, WS_TABSTOP},
        {IDCANCEL, Kind::PushButton, L"Cancel", {172, 90, 50, 14}, WS_TABSTOP},
        {IDC_START_HOURS, Kind::Edit, L"", {163, 14, 41, 15}, field},
        {IDC_START_MS, Kind::Edit, L"", {163, 65, 41, 15}, field},
        {IDC_START_SECONDS, Kind::Edit, L"", {163, 49, 41, 15}, field},
        {IDC_START_MINUTES, Kind::Edit, L"", {163, 31, 41, 15}, field},
        {-1, Kind::Text, L"hours:", {141, 17, 21, 8}},
        {-1, Kind::Text, L"mins:", {141, 34, 21, 8}},
        {-1, Kind::Text, L"secs:", {141, 52, 21, 8}},
        {-1, Kind::Text, L"ms:", {141, 68, 21, 8}},
        {IDC_START_TIME_NOTE, Kind::Text,
         L"Enter in your desired time in hours, minutes, seconds, and milliseconds.   You may give the "
         L"time in any combinatin of time units : (for example, you can give the entire time in "
         L"milliseconds if desired). ",
         {13, 13, 90, 77}},
    }});
}

// Tab goes OK, Cancel, then the fields in template order: hours, ms, secs, mins.
TEST(EditStartTimeDialog, TabOrderRunsFromOkThroughTheFields) {
    DialogProbe probe(IDD_EDIT_START_TIME);
    ASSERT_NE(probe.handle(), nullptr);
    const int order[] = {IDOK, IDCANCEL, IDC_START_HOURS, IDC_START_MS, IDC_START_SECONDS,
                         IDC_START_MINUTES, IDOK};
    HWND at = GetDlgItem(probe.handle(), IDOK);
    for (size_t i = 1; i < sizeof(order) / sizeof(order[0]); ++i) {
        at = GetNextDlgTabItem(probe.handle(), at, FALSE);
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(GetDlgCtrlID(at), order[i]) << "tab step " << i;
    }
}

TEST(AddLanguageDialog, MatchesItsLayout) {
    expectDialogMatches({IDD_ADD_LANGUAGE, L"ADD NEW LANGUAGE", kModalStyle, L"MS Sans Serif", 294, 51, {
        {-1, Kind::Text, L"    Class Name:", {15, 20, 49, 13}},
        {IDC_CLASS_NAME, Kind::Edit, L"", {67, 17, 90, 14}, ES_AUTOHSCROLL | WS_TABSTOP},
        {IDOK, Kind::DefButton, L"Create Class", {179, 18, 50, 14}, WS_TABSTOP},
        {IDCANCEL, Kind::PushButton, L"Cancel", {233, 18, 50, 14}, WS_TABSTOP},
    }});
}

TEST(CaptionLengthDialog, MatchesItsLayout) {
    expectDialogMatches({IDD_CAPTION_LENGTH, L"Enter the desired caption length", kModalStyle,
                         L"MS Sans Serif", 252, 110, {
        {-1, Kind::Text, L"Number Value:", {15, 17, 48, 8}},
        {IDC_CAPTION_LENGTH, Kind::Edit, L"", {66, 14, 60, 14}, WS_BORDER | WS_TABSTOP},
        {IDOK, Kind::DefButton, L"OK", {188, 13, 50, 14}, WS_TABSTOP},
        {IDCANCEL, Kind::PushButton, L"Cancel", {188, 31, 50, 14}, WS_TABSTOP},
        {-1, Kind::Text,
         L"The .txt file you selected will be broken into individual captions, each caption being of the "
         L"length (in characters) that you enter into the box above.  ",
         {15, 38, 165, 36}},
        {-1, Kind::Text,
         L"The number entered must be between 25 and 200.   Whitespace between words is counted as a "
         L"character.",
         {15, 80, 223, 20}},
    }});
}

// The importer reads what was typed up to the first non-digit ("30abc" is 30, a
// word is 0 and refused), so the box must let any text be typed.
TEST(CaptionLengthDialog, LengthBoxAcceptsAnyText) {
    DialogProbe probe(IDD_CAPTION_LENGTH);
    ASSERT_NE(probe.handle(), nullptr);
    const HWND box = GetDlgItem(probe.handle(), IDC_CAPTION_LENGTH);
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_STYLE) & ES_NUMBER, 0);
}

TEST(AsxWizardDialogs, StepOneMatchesItsLayout) {
    expectDialogMatches({IDD_ASX_SELECT_MOVIE, L"ASX CREATION WIZARD - STEP 1 : SELECT A MOVIE FILE",
                         kModalStyle, L"MS Sans Serif", 294, 99, {
        {IDOK, Kind::DefButton, L"Select Media File >>", {206, 72, 74, 14}},
        {IDCANCEL, Kind::PushButton, L"Exit Wizard", {151, 72, 50, 14}},
        {-1, Kind::Text,
         L"An ASX file links together two different files : a movie file, and a captioning script file.  "
         L"The first step to creating an ASX is to select the movie file you want to associate with your "
         L"caption file.",
         {19, 14, 253, 27}},
        {-1, Kind::Text,
         L"Hit the \"Select Media File\" button below and then use the file browser to open your movie file.",
         {19, 45, 232, 21}},
    }});
}

TEST(AsxWizardDialogs, StepTwoMatchesItsLayout) {
    expectDialogMatches({IDD_ASX_SELECT_SAMI, L"ASX CREATION WIZARD - STEP 2 : SELECT A CAPTION SCRIPT",
                         kModalStyle, L"MS Sans Serif", 313, 87, {
        {IDOK, Kind::DefButton, L"Select SAMI File >>", {232, 58, 68, 14}},
        {IDCANCEL, Kind::PushButton, L"Exit Wizard", {179, 58, 50, 14}},
        {-1, Kind::Text,
         L"Now that we have selected our movie file, we need to open the SAMI file containing the captions "
         L"for the selected movie.  Press the \"Select SAMI File\" button below and then open up the .smi "
         L"file that goes with the movie.",
         {7, 13, 293, 32}},
    }});
}

TEST(AsxWizardDialogs, StepThreeMatchesItsLayout) {
    expectDialogMatches({IDD_ASX_SAVE, L"ASX CREATION WIZARD - STEP 3 : SAVE THE ASX FILE", kModalStyle,
                         L"MS Sans Serif", 266, 118, {
        {IDOK, Kind::DefButton, L"SAVE ASX AS>>", {188, 90, 64, 14}},
        {IDCANCEL, Kind::PushButton, L"Exit Wizard", {135, 90, 50, 14}},
        {-1, Kind::Text,
         L"Now that we have selected our movie file and caption script file, we need to give the ASX file "
         L"a name and save it.  The ASX file needs to be saved into the same folder that contains the "
         L".wmv movie file and the .smi caption file.  ",
         {7, 13, 246, 27}},
        {-1, Kind::Text,
         L"If these two files aren't in the same directory, you may simply move them there after you save "
         L"the ASX file.  Hit the \"SAVE ASX AS\" button below to save your ASX file.  You may name it "
         L"anything you wish.",
         {7, 47, 246, 31}},
    }});
}

TEST(AsxWizardDialogs, CompletionMatchesItsLayout) {
    expectDialogMatches({IDD_ASX_COMPLETE, L"ASX WIZARD COMPLETE", kModalStyle, L"MS Sans Serif", 225, 105, {
        {IDOK, Kind::DefButton, L"Finish", {160, 78, 50, 14}},
        {-1, Kind::Text,
         L"You have now completed the ASX creation wizard.  If the .asx file, .wmv file, and .smi file are "
         L"all in the same folder, then you may double click on the .asx file to run your movie with "
         L"captions. ",
         {7, 13, 203, 34}},
        {-1, Kind::Text, L"If these files aren't in the same folder then move them together now.  ",
         {7, 50, 203, 18}},
    }});
}

}  // namespace
}  // namespace zav::test
