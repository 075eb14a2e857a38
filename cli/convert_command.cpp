#include "cli/caption_input.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/iconv_code_page.h"
#include "cli/replace_file.h"
#include "core/caption_timing.h"
#include "core/cue_writer.h"
#include "core/sami_writer.h"
#include "core/text_encoding.h"
#include "core/ttml_writer.h"

#include <memory>

namespace zav::cli {
namespace {

bool isCueFormat(CaptionFormat format) { return format == CaptionFormat::subRip || format == CaptionFormat::webVtt; }

// Captions that SAMI export writes: texts that are not empty on rows with a time.
int timedCaptions(const CaptionDocument& document) {
    int captions = 0;
    for (const LanguageClass& language : document.languages()) {
        for (int row = 0; row < document.rowCount(); ++row) {
            if (document.times()[row].startMs != kNoTime && !language.texts()[row].empty()) ++captions;
        }
    }
    return captions;
}

std::string counted(int count, const char* noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

}  // namespace

int convertCommand(const Arguments& arguments, std::FILE*, std::FILE* err) {
    const std::optional<CommandArguments> parsed =
        parseCommandArguments(arguments, "convert", {"--language", "--code-page"}, 2, err);
    if (!parsed) return kExitError;
    const std::string& inPath = parsed->files[0];
    const std::string& outPath = parsed->files[1];
    const CaptionFormat inFormat = captionFormatOfPath(inPath);
    const CaptionFormat outFormat = captionFormatOfPath(outPath);
    for (const auto& [path, format] : {std::pair{inPath, inFormat}, std::pair{outPath, outFormat}}) {
        if (format == CaptionFormat::unknown) {
            std::fprintf(err,
                         "zavcaption convert: cannot tell the format of %s: not .smi, .sami, .srt, .vtt, .ttml, .dfxp "
                         "or .xml\n",
                         path.c_str());
            return kExitError;
        }
    }
    // SAMI export writes every language; a language to pick would be ignored silently.
    if (outFormat == CaptionFormat::sami && parsed->has("--language")) {
        std::fprintf(err,
                     "zavcaption convert: --language is for SubRip, WebVTT and TTML output; SAMI holds every "
                     "language\n");
        return kExitError;
    }
    const std::string codePageName = parsed->option("--code-page", kDefaultCodePage);
    const std::unique_ptr<IconvCodePage> codePage = IconvCodePage::open(codePageName);
    if (!codePage) {
        std::fprintf(err, "zavcaption convert: unknown code page '%s'\n", codePageName.c_str());
        return kExitError;
    }
    const std::optional<std::string> bytes = readInputFile(inPath, "convert", err);
    if (!bytes) return kExitError;

    LoadedCaptions loaded = inFormat == CaptionFormat::ttml ? loadTtml(*bytes, *codePage)
                            : isCueFormat(inFormat)         ? loadCues(*bytes, *codePage)
                                                            : loadSami(*bytes, *codePage);
    if (!loaded.error.empty()) {
        std::fprintf(err, "zavcaption convert: %s cannot be read as TTML: %s; %s not written\n", inPath.c_str(),
                     loaded.error.c_str(), outPath.c_str());
        return kExitError;
    }
    if (loaded.captions == 0) {
        std::fprintf(err, "zavcaption convert: %s holds no caption; %s not written\n", inPath.c_str(), outPath.c_str());
        return kExitNothing;
    }
    CaptionDocument& document = loaded.document;
    // Export SAMI sorts first; the cue writers take the rows in time order anyway,
    // and sorting here keeps the two alike.
    sortRowsByTime(document);
    std::string out;
    int captions = 0;
    int languages = 0;
    if (outFormat == CaptionFormat::sami) {
        out = samiFileBytes(document, *codePage);
        captions = timedCaptions(document);
        languages = document.languageCount();
    } else if (outFormat == CaptionFormat::ttml && !parsed->has("--language")) {
        // TTML holds every language, one div each, unless --language picks one.
        out = ttmlFileBytesAllLanguages(document);
        for (int language = 0; language < document.languageCount(); ++language)
            captions += static_cast<int>(documentCues(document, language).size());
        languages = document.languageCount();
    } else {
        const std::optional<int> language =
            parsed->has("--language")
                ? languageOfClass(parsed->option("--language", ""), document, *codePage, inPath, "convert", err)
                : std::optional<int>(0);
        if (!language) return kExitError;
        out = outFormat == CaptionFormat::subRip ? subRipFileBytes(document, *language)
              : outFormat == CaptionFormat::webVtt ? webVttFileBytes(document, *language)
                                                   : ttmlFileBytes(document, *language);
        // The cues the file holds: captions that show nothing give none.
        captions = static_cast<int>(documentCues(document, *language).size());
        languages = 1;
    }
    const std::string failure = replaceFileWith(outPath, out);
    if (!failure.empty()) {
        std::fprintf(err, "zavcaption convert: cannot write %s: %s\n", outPath.c_str(), failure.c_str());
        return kExitError;
    }
    const CaptionFormat from = isCueFormat(inFormat) || inFormat == CaptionFormat::ttml ? loaded.format : CaptionFormat::sami;
    std::fprintf(err, "converted %s in %s from %s to %s\n", counted(captions, "caption").c_str(),
                 counted(languages, "language").c_str(), formatName(from), formatName(outFormat));
    return kExitDone;
}

}  // namespace zav::cli
