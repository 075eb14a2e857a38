#include "formats/cue_commands.h"

#include "captions/add_language_dialog.h"
#include "captions/timing_commands.h"
#include "core/cue_document.h"
#include "core/cue_file.h"
#include "core/cue_writer.h"
#include "core/text_encoding.h"
#include "core/ttml_document.h"
#include "core/ttml_file.h"
#include "core/ttml_writer.h"
#include "formats/file_dialogs.h"
#include "win/ansi_code_page.h"
#include "win/file_io.h"
#include "win/modal_ui.h"

#include <commdlg.h>

#include <optional>
#include <string>

namespace zav {
namespace {

const FileQuestion kCueFileQuestion{L"SubRip, WebVTT or TTML\0*.srt;*.vtt;*.ttml;*.dfxp;*.xml\0",
                                    L"Open SubRip, WebVTT or TTML File", OFN_FILEMUSTEXIST | OFN_SHOWHELP, false};

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

// What an import file holds: the cues of a SubRip or WebVTT file, or the languages
// of a TTML file.
struct ReadFile {
    CueFile cues;
    std::optional<TtmlFile> ttml;
};

const wchar_t kLeftAsTheyWere[] = L"; the captions were left as they were.";

// The file's cues; nothing, after a message, when it cannot be read or holds none.
std::optional<ReadFile> readCues(CaptionEditor& editor) {
    const auto path = askForFile(kCueFileQuestion);
    if (!path) return std::nullopt;
    const std::optional<std::string> bytes = readFileBytes(*path);
    if (!bytes) {
        showMessage(editor.owner(), L"Could not open the caption file.");
        return std::nullopt;
    }
    ReadFile read;
    if (captionFormatOfContent(*bytes) == CaptionFormat::ttml) {
        read.ttml = readTtmlFile(*bytes);
        std::wstring text;
        if (!read.ttml->ok()) {
            text = L"The file could not be read as TTML (" + toWide(utf8ToUtf16(ttmlErrorText(*read.ttml))) + L")";
        } else if (!read.ttml->hasCues()) {
            text = L"The file holds no TTML caption that could be read";
        }
        if (!text.empty()) {
            showMessage(editor.owner(), (text + kLeftAsTheyWere).c_str());
            return std::nullopt;
        }
        return read;
    }
    read.cues = readCueFile(*bytes, editor.codePage());
    if (read.cues.cues.empty()) {
        showMessage(editor.owner(),
                    L"The file holds no SubRip or WebVTT caption that could be read; the captions were left as they were.");
        return std::nullopt;
    }
    return read;
}

void appendCount(std::wstring& text, int count, const wchar_t* one, const wchar_t* many) {
    if (count <= 0) return;
    if (!text.empty()) text += L" ";
    text += std::to_wstring(count) + (count == 1 ? one : many);
}

// One message for everything the reader had to drop or change, if anything.
void reportChanges(HWND owner, const ReadFile& file) {
    std::wstring text;
    if (file.ttml) {
        appendCount(text, file.ttml->malformedCues, L" timed element could not be read and was skipped.",
                    L" timed elements could not be read and were skipped.");
    } else {
        appendCount(text, file.cues.malformedBlocks, L" block could not be read and was skipped.",
                    L" blocks could not be read and were skipped.");
    }
    const int shortened = file.ttml ? file.ttml->shortenedCues : file.cues.shortenedCues;
    const int cut = file.ttml ? file.ttml->cutTexts : file.cues.cutTexts;
    appendCount(text, shortened, L" caption overlapped the next and was shortened.",
                L" captions overlapped the next and were shortened.");
    appendCount(text, cut, L" caption was longer than 199 characters and was cut.",
                L" captions were longer than 199 characters and were cut.");
    if (!text.empty()) showMessage(owner, text.c_str());
}

std::string allLanguagesTtml(const CaptionDocument& document, int) { return ttmlFileBytesAllLanguages(document); }

const FileQuestion kTtmlSaveQuestion{L"TTML file\0*.ttml\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true};
const wchar_t kTtmlSaveFailure[] = L"Error, can't save the TTML file.";

}  // namespace

void exportSubRip(CaptionEditor& editor) {
    exportCues(editor, {L"SubRip file\0*.srt\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true},
               &addSubRipExtension, &subRipFileBytes, L"Error, can't save the SubRip file.");
}

void exportWebVtt(CaptionEditor& editor) {
    exportCues(editor, {L"WebVTT file\0*.vtt\0", L"Save As", OFN_OVERWRITEPROMPT | OFN_SHOWHELP, true},
               &addWebVttExtension, &webVttFileBytes, L"Error, can't save the WebVTT file.");
}

void exportTtml(CaptionEditor& editor) {
    exportCues(editor, kTtmlSaveQuestion, &addTtmlExtension, &ttmlFileBytes, kTtmlSaveFailure);
}

void exportTtmlAllLanguages(CaptionEditor& editor) {
    exportCues(editor, kTtmlSaveQuestion, &addTtmlExtension, &allLanguagesTtml, kTtmlSaveFailure);
}

void importCueFile(CaptionEditor& editor) {
    const std::optional<ReadFile> file = readCues(editor);
    if (!file) return;
    // The import takes the current language's names (only those are copied); a TTML
    // language keeps them where its code is the current language's.
    CaptionDocument document;
    if (file->ttml) {
        document = editor.document();
        replaceWithTtml(document, *file->ttml, editor.codePage());
    } else {
        document.appendLanguage(importLanguageFor(editor.document()));
        replaceWithCues(document, file->cues, editor.codePage());
    }
    editor.change(file->ttml ? L"Import TTML" : L"Import SubRip or WebVTT", [&] {
        editor.replaceDocument(std::move(document));
        editor.panel().setSelectedRow(editor.panel().rowCount() > 0 ? 0 : -1);
        editor.panel().ensureRowVisible(0);
    });
    reportChanges(editor.owner(), *file);
    editor.panel().focusSelectedRow();
}

void addCueFileLanguage(CaptionEditor& editor) {
    const std::optional<ReadFile> file = readCues(editor);
    if (!file) return;
    std::optional<LanguageClass> language;
    if (!file->ttml) {
        language = AddLanguageDialog(editor.codePage()).run(editor.owner());
        if (!language) return;
    }
    editor.change(file->ttml ? L"Add Language from TTML" : L"Add Language from SubRip or WebVTT", [&] {
        // The typing is stored as the change begins: it belongs to the document the
        // new language joins.
        CaptionDocument document = editor.document();
        if (file->ttml) {
            addTtmlLanguages(document, *file->ttml, editor.codePage());
        } else {
            addCueLanguage(document, file->cues, std::move(*language), editor.codePage());
        }
        editor.replaceDocument(std::move(document));
    });
    reportChanges(editor.owner(), *file);
    editor.panel().focusSelectedRow();
}

}  // namespace zav
