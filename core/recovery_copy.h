#pragma once
// The recovery copy: the whole of what the user is working on, written every few
// seconds while it changes, so that a crash, a power cut or a killed process loses
// at most those seconds. The copy is UTF-8 text, one item a line, and reads back
// exactly:
//
//   ZAV Caption recovery copy 1
//   saved <when, as the writer gave it>
//   media <the open film's path>
//   current <shown language>    selected <row or -1>    top <first row in view>
//   language <class name> TAB <display name> TAB <language code>    (one per language)
//   row <start ms or -1> TAB <text of language 0> TAB <text of language 1> ...
//   transcript <text>           transcript-name <name>    (in transcript mode only)
//   end
//
// Values are escaped: backslash, tab, CR and LF as \\ \t \r \n, other control
// characters and unpaired surrogates as \uXXXX, and the language names (bytes in
// the ANSI code page) keep bytes 0x80 and up as \xHH, so any text, empty texts and
// untimed rows come back unit for unit. Times are written with 17 significant
// digits and read back to the same double.
//
// Reading never trusts the file: a copy without its first or last line, a row
// before the languages or with another number of texts, a bad escape, a number
// that does not parse or malformed UTF-8 makes the copy unreadable, with the line
// and the reason. Lines of an unknown kind (a later version's) are skipped and
// counted.

#include "core/document_history.h"

#include <optional>
#include <string>
#include <string_view>

namespace zav {

struct RecoveryCopy {
    std::string savedAt;
    // Rows, times, languages and texts, with the shown language, the selected row
    // and the first row in view.
    DocumentState document;
    std::u16string mediaPath;
    bool transcriptMode = false;
    std::u16string transcriptText;
    std::u16string transcriptName;
};

// The file's bytes.
std::string recoveryCopyBytes(const RecoveryCopy& copy);

struct RecoveryReadResult {
    std::optional<RecoveryCopy> copy;  // nothing when the copy cannot be read
    std::string problem;               // why not, with the line number
    int skippedLines = 0;              // lines of a kind this version does not know
};

RecoveryReadResult readRecoveryCopy(std::string_view bytes);

// The rows that hold a text in some language: the captions the copy would bring back.
int recoveryCaptionCount(const DocumentState& document);

// Same document, same place of the user, same film and transcript: nothing a new
// copy would add. The time of saving does not count.
bool sameRecoveryContent(const RecoveryCopy& a, const RecoveryCopy& b);

}  // namespace zav
