#include "formats/cue_commands.h"

#include "captions/add_language_dialog.h"
#include "captions/timing_commands.h"
#include "core/cue_document.h"
#include "core/cue_file.h"
#include "core/cue_writer.h"
#include "core/text_encoding.h"
#include "formats/file_dialogs.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <commdlg.h>

#include <optional>
#include <string>

namespace zav {
namespace {

const FileQuestion kCueFileQuestion{L"SubRip or WebVTT\0*.srt;*.vtt\0", L"Open SubRip or WebVTT File",
                                    OFN_FILEMUSTEXIST | OFN_SHOWHELP, false};

// The extension rule of the caption files (appended unless the name ends in exactly
// that text) on a UTF-16 path: the UTF-8 form spells every name, so no name the
// code page cannot spell is lost here.
std::wstring withExtension(const std::wstring& path, void (*addExtension)(std::string&)) {
    std::string utf8 = utf16ToUtf8(fromWide(path));
    addExtension(utf8);
    return toWide(utf8ToUtf16(utf8));
}

void exportCues(CaptionEditor& editor, const FileQuestion& question, void (*addExtension)(std::string&),
                std::string (*fileBytes)(const CaptionDocument&, int), const wchar_t* failure) {
    if (!editor.document().hasCurrentLanguage()) {
        showMessage(editor.owner(), L"You must create a language class before you export captions.");
        return;
    }
    const auto path = askForFile(question);
    if (!path) return;
    sortByTime(editor);
    const std::string bytes = fileBytes(editor.document(), editor.document().currentLanguage());
    if (path->empty() || !writeFileBytes(withExtension(*path, addExtension), bytes))
        showMessage(editor.owner(), failure);
}

// The file's cues; nothing, after a message, when it cannot be read or holds none.
std::optional<CueFile> readCues(CaptionEditor& editor) {
    const auto path = askForFile(kCueFileQuestion);
    if (!path) return std::nullopt;
    const std::optional<std::string> bytes = readFileBytes(*path);
    if (!bytes) {
        showMessage(editor.owner(), L"Could not open the caption file.");
        return std::nullopt;
    }
    CueFile file = readCueFile(*bytes, editor.codePage());
    if (file.cues.empty()) {
        showMessage(editor.owner(),
                    L"The file holds no SubRip or WebVTT caption that could be read; the captions were left as they were.");
        return std::nullopt;
    }
    return file;
}

void appendCount(std::wstring& text, int count, const wchar_t* one, const wchar_t* many) {
    if (count <= 0) return;
    if (!text.empty()) text += L" ";
    text += std::to_wstring(count) + (count == 1 ? one : many);
}

// One message for everything the reader had to drop or change, if anything.
void reportChanges(HWND owner, const CueFile& file) {
    std::wstring text;
    appendCount(text, file.malformedBlocks, L" block could not be read and was skipped.",
                L" blocks could not be read and were skipped.");
    appendCount(text, file.shortenedCues, L" caption overlapped the next and was shortened.",
                L" captions overlapped the next and were shortened.");
    appendCount(text, file.cutTexts, L" caption was longer than 199 characters and was cut.",
                L" captions were longer than 199 characters and were cut.");
    if (!text.empty()) showMessage(owner, text.c_str());
}

}  // namespace

void exportSubRip(CaptionEditor& editor) {
    exportCues(editor, {L"SubRip file\0*.srt\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true},
               &addSubRipExtension, &subRipFileBytes, L"Error, can't save the SubRip file.");
}

void exportWebVtt(CaptionEditor& editor) {
    exportCues(editor, {L"WebVTT file\0*.vtt\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true},
               &addWebVttExtension, &webVttFileBytes, L"Error, can't save the WebVTT file.");
}

void importCueFile(CaptionEditor& editor) {
    const std::optional<CueFile> file = readCues(editor);
    if (!file) return;
    // The import takes the current language's names (only those are copied).
    CaptionDocument document;
    document.appendLanguage(importLanguageFor(editor.document()));
    replaceWithCues(document, *file, editor.codePage());
    editor.change(L"Import SubRip or WebVTT", [&] {
        editor.replaceDocument(std::move(document));
        editor.panel().selectedRow = editor.panel().rowCount() > 0 ? 0 : -1;
        editor.panel().ensureRowVisible(0);
    });
    reportChanges(editor.owner(), *file);
    editor.panel().focusSelectedRow();
}

void addCueFileLanguage(CaptionEditor& editor) {
    const std::optional<CueFile> file = readCues(editor);
    if (!file) return;
    std::optional<LanguageClass> language = AddLanguageDialog(editor.codePage()).run(editor.owner());
    if (!language) return;
    editor.change(L"Add Language from SubRip or WebVTT", [&] {
        // The typing is stored as the change begins: it belongs to the document the
        // new language joins.
        CaptionDocument document = editor.document();
        addCueLanguage(document, *file, std::move(*language), editor.codePage());
        editor.replaceDocument(std::move(document));
    });
    reportChanges(editor.owner(), *file);
    editor.panel().focusSelectedRow();
}

}  // namespace zav
