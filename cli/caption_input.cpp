#include "cli/caption_input.h"

#include "core/cue_document.h"
#include "core/text_encoding.h"
#include "core/ttml_document.h"

#include <cerrno>
#include <cstring>

namespace zav::cli {

std::optional<std::string> readInputFile(const std::string& path, const char* command, std::FILE* err) {
    std::FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(err, "zavcaption %s: cannot open %s: %s\n", command, path.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    if (file != stdin) std::fclose(file);
    if (failed) {
        std::fprintf(err, "zavcaption %s: cannot read %s: %s\n", command, path.c_str(), std::strerror(error));
        return std::nullopt;
    }
    return bytes;
}

const char* formatName(CaptionFormat format) {
    switch (format) {
    case CaptionFormat::sami: return "SAMI";
    case CaptionFormat::subRip: return "SubRip";
    case CaptionFormat::webVtt: return "WebVTT";
    case CaptionFormat::ttml: return "TTML";
    case CaptionFormat::unknown: break;
    }
    return "unknown";
}

LoadedCaptions loadSami(std::string_view bytes, const CodePageConverter& codePage) {
    LoadedCaptions loaded;
    loaded.format = CaptionFormat::sami;
    SamiDocumentTarget target(loaded.document, codePage);
    loaded.sami = importSamiFile(bytes, codePage, target);
    loaded.captions = loaded.sami.captions;
    return loaded;
}

namespace {

int countCaptions(const CaptionDocument& document) {
    int captions = 0;
    for (const LanguageClass& language : document.languages()) {
        for (const std::u16string& text : language.texts()) captions += text.empty() ? 0 : 1;
    }
    return captions;
}

}  // namespace

LoadedCaptions loadTtml(std::string_view bytes, const CodePageConverter& codePage) {
    const TtmlFile file = readTtmlFile(bytes);
    LoadedCaptions loaded;
    loaded.format = CaptionFormat::ttml;
    if (!file.ok()) {
        loaded.error = ttmlErrorText(file);
        return loaded;
    }
    loaded.malformedBlocks = file.malformedCues;
    loaded.shortenedCues = file.shortenedCues;
    loaded.cutTexts = file.cutTexts;
    replaceWithTtml(loaded.document, file, codePage);
    loaded.captions = countCaptions(loaded.document);
    return loaded;
}

LoadedCaptions loadCues(std::string_view bytes, const CodePageConverter& codePage) {
    const CueFile file = readCueFile(bytes, codePage);
    LoadedCaptions loaded;
    if (file.format == CaptionFormat::subRip || file.format == CaptionFormat::webVtt) loaded.format = file.format;
    loaded.malformedBlocks = file.malformedBlocks;
    loaded.shortenedCues = file.shortenedCues;
    loaded.cutTexts = file.cutTexts;
    // The import leaves the document as it was when there is no cue: empty here.
    replaceWithCues(loaded.document, file, codePage);
    loaded.captions = countCaptions(loaded.document);
    return loaded;
}

std::string classNameText(const LanguageClass& language, const CodePageConverter& codePage) {
    return utf16ToUtf8(codePage.fromAnsi(language.className()));
}

std::optional<int> languageOfClass(const std::string& wanted, const CaptionDocument& document,
                                   const CodePageConverter& codePage, const std::string& path, const char* command,
                                   std::FILE* err) {
    std::string classes;
    for (int index = 0; index < document.languageCount(); ++index) {
        const LanguageClass& language = document.languages()[index];
        const std::string name = classNameText(language, codePage);
        if (name == wanted || language.className() == wanted) return index;
        classes += (index == 0 ? "" : ", ") + name;
    }
    std::fprintf(err, "zavcaption %s: %s has no language of class '%s' (its classes: %s)\n", command, path.c_str(),
                 wanted.c_str(), classes.c_str());
    return std::nullopt;
}

std::string loadSummary(const LoadedCaptions& loaded) {
    const bool sami = loaded.format == CaptionFormat::sami;
    // For SAMI the counts are those Import SAMI reports, as the editor would show them.
    const int languages = sami ? loaded.sami.languages : loaded.document.languageCount();
    const int rows = sami ? loaded.sami.rows : loaded.document.rowCount();
    std::string line = "languages: " + std::to_string(languages) + ", rows: " + std::to_string(rows) +
                       ", captions: " + std::to_string(loaded.captions);
    if (sami) {
        line += ", captions cut: " + std::to_string(loaded.sami.cutCaptions);
        line += loaded.sami.ownLayout ? ", layout: own" : ", layout: other";
    } else {
        line += loaded.format == CaptionFormat::ttml ? ", malformed cues skipped: " : ", malformed blocks skipped: ";
        line += std::to_string(loaded.malformedBlocks);
        line += ", cues shortened: " + std::to_string(loaded.shortenedCues);
        line += ", texts cut: " + std::to_string(loaded.cutTexts);
        line += ", format: ";
        line += formatName(loaded.format);
    }
    return line;
}

}  // namespace zav::cli
