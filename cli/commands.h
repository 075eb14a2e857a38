#pragma once
// The subcommands of zavcaption. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 the file holds nothing of what was asked for
// (for check: problems found), 2 the file cannot be read or the arguments are wrong.

#include <cstdio>
#include <string>
#include <vector>

namespace zav::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNothing = 1;
inline constexpr int kExitError = 2;

using Arguments = std::vector<std::string>;

// The iconv name of the ANSI code page when --code-page does not name one.
inline constexpr const char* kDefaultCodePage = "WINDOWS-1252";

// zavcaption list FILE [--code-page NAME]: the captions of a SAMI, SubRip, WebVTT or TTML
// file (told by its content) as the editor's import reads them, one line per row and
// language on out, a summary line on err.
int listCommand(const Arguments& arguments, std::FILE* out, std::FILE* err);

// zavcaption convert IN OUT [--language CLASS] [--code-page NAME]: reads IN as the
// import of its format does and writes OUT as the export of its format does, the
// formats told by the file extensions; a one-line report on err, nothing on out.
int convertCommand(const Arguments& arguments, std::FILE* out, std::FILE* err);

// zavcaption check FILE [--language CLASS] [--profile NAME] [--fps RATE] [--max-cps N]
// [--max-chars N] [--max-lines N] [--min-duration MS] [--max-duration MS]
// [--min-gap-frames N] [--code-page NAME]: the caption checks on a file read as
// list reads it, one TAB-separated line per problem on out (row from 1, class,
// start ms or "-", kind, value, limit), a summary line on err. 1 means problems
// were found, or the file (or the language) holds no caption.
int checkCommand(const Arguments& arguments, std::FILE* out, std::FILE* err);
// zavcaption speech FILE: the stretches of speech the editor's detector finds in a
// WAV file, one line each on out (onset and end in ms, confidence), a summary of the
// sound on err.
int speechCommand(const Arguments& arguments, std::FILE* out, std::FILE* err);

}  // namespace zav::cli
