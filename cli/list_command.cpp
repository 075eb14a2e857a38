#include "cli/caption_input.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/iconv_code_page.h"
#include "core/caption_listing.h"

#include <memory>

namespace zav::cli {

int listCommand(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    const std::optional<CommandArguments> parsed = parseCommandArguments(arguments, "list", {"--code-page"}, 1, err);
    if (!parsed) return kExitError;
    const std::string codePageName = parsed->option("--code-page", kDefaultCodePage);
    const std::unique_ptr<IconvCodePage> codePage = IconvCodePage::open(codePageName);
    if (!codePage) {
        std::fprintf(err, "zavcaption list: unknown code page '%s'\n", codePageName.c_str());
        return kExitError;
    }
    const std::optional<std::string> bytes = readInputFile(parsed->files[0], "list", err);
    if (!bytes) return kExitError;

    // Only a file that reads as TTML, SubRip or WebVTT goes to its reader; everything
    // else goes to Import SAMI, which makes what it can of any markup.
    const CaptionFormat format = captionFormatOfContent(*bytes);
    const bool cues = format == CaptionFormat::subRip || format == CaptionFormat::webVtt;
    const LoadedCaptions loaded = format == CaptionFormat::ttml ? loadTtml(*bytes, *codePage)
                                  : cues                        ? loadCues(*bytes, *codePage)
                                                                : loadSami(*bytes, *codePage);
    if (!loaded.error.empty()) {
        std::fprintf(err, "zavcaption list: %s cannot be read as TTML: %s\n", parsed->files[0].c_str(),
                     loaded.error.c_str());
        return kExitError;
    }
    const std::string listing = captionListing(loaded.document, *codePage);
    std::fwrite(listing.data(), 1, listing.size(), out);
    std::fflush(out);
    std::fprintf(err, "%s\n", loadSummary(loaded).c_str());
    return loaded.captions > 0 ? kExitDone : kExitNothing;
}

}  // namespace zav::cli
