#pragma once
// Caption files read the way the editor's imports read them, shared by the commands:
// SAMI through Import SAMI, SubRip and WebVTT through their Import (the cues replace
// an empty document, so the language is New Caption File's "US English"), TTML
// through Import TTML (its languages named from their xml:lang).

#include "core/caption_document.h"
#include "core/code_page.h"
#include "core/cue_file.h"
#include "core/sami_import.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace zav::cli {

struct LoadedCaptions {
    CaptionDocument document;
    // The reader that ran: sami, or subRip / webVtt as the cue file's content says.
    // A cue file whose content is neither stays unknown (and holds no caption).
    CaptionFormat format = CaptionFormat::unknown;
    int captions = 0;       // texts that are not empty
    SamiImportReport sami;  // what Import SAMI reported, for SAMI
    // A TTML file that is refused: "line N: reason"; empty otherwise.
    std::string error;
    // What the cue reader dropped or changed, for SubRip, WebVTT and TTML.
    int malformedBlocks = 0;
    int shortenedCues = 0;
    int cutTexts = 0;
};

// The whole file ("-" the standard input), or nothing with a message on err that
// names the command.
std::optional<std::string> readInputFile(const std::string& path, const char* command, std::FILE* err);

// "SAMI", "SubRip", "WebVTT", "TTML", or "unknown".
const char* formatName(CaptionFormat format);

// Reads the bytes as Import SAMI does.
LoadedCaptions loadSami(std::string_view bytes, const CodePageConverter& codePage);
// Reads the bytes as the SubRip and WebVTT Import does.
LoadedCaptions loadCues(std::string_view bytes, const CodePageConverter& codePage);

// The class name as the user types it and as list shows it: UTF-8.
std::string classNameText(const LanguageClass& language, const CodePageConverter& codePage);

// The language of class wanted (its class name exactly, in UTF-8 or in the code
// page), or nothing with a message on err naming the command, the file and every
// class it has.
std::optional<int> languageOfClass(const std::string& wanted, const CaptionDocument& document,
                                   const CodePageConverter& codePage, const std::string& path, const char* command,
                                   std::FILE* err);
// Reads the bytes as Import TTML does; a refused file gives its error.
LoadedCaptions loadTtml(std::string_view bytes, const CodePageConverter& codePage);

// The one-line account of what was read: for SAMI what Import SAMI reports, for cue
// files what the cue reader counted and the format. No line end.
std::string loadSummary(const LoadedCaptions& loaded);

}  // namespace zav::cli
