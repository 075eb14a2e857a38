#include "cli/commands.h"
#include "cli/iconv_code_page.h"
#include "core/caption_listing.h"
#include "core/sami_import.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace zav::cli {
namespace {

constexpr const char* kDefaultCodePage = "WINDOWS-1252";

struct ListOptions {
    std::string file;
    std::string codePage = kDefaultCodePage;
};

std::optional<ListOptions> parseOptions(const Arguments& arguments, std::FILE* err) {
    ListOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--code-page" && i + 1 < arguments.size()) {
            options.codePage = arguments[++i];
        } else if (argument.rfind("--code-page=", 0) == 0) {
            options.codePage = argument.substr(std::strlen("--code-page="));
        } else if (!haveFile && (argument.empty() || argument[0] != '-' || argument == "-")) {
            options.file = argument;
            haveFile = true;
        } else {
            std::fprintf(err, "zavcaption list: unexpected argument '%s'\n", argument.c_str());
            return std::nullopt;
        }
    }
    if (!haveFile) {
        std::fprintf(err, "zavcaption list: no file given\n");
        return std::nullopt;
    }
    return options;
}

// The whole file, or nothing with a message on err.
std::optional<std::string> readFile(const std::string& path, std::FILE* err) {
    std::FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(err, "zavcaption list: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
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
        std::fprintf(err, "zavcaption list: cannot read %s: %s\n", path.c_str(), std::strerror(error));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

int listCommand(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    const std::optional<ListOptions> options = parseOptions(arguments, err);
    if (!options) return kExitError;
    const std::unique_ptr<IconvCodePage> codePage = IconvCodePage::open(options->codePage);
    if (!codePage) {
        std::fprintf(err, "zavcaption list: unknown code page '%s'\n", options->codePage.c_str());
        return kExitError;
    }
    const std::optional<std::string> bytes = readFile(options->file, err);
    if (!bytes) return kExitError;

    CaptionDocument document;
    SamiDocumentTarget target(document, *codePage);
    const SamiImportReport report = importSamiFile(*bytes, *codePage, target);
    const std::string listing = captionListing(document, *codePage);
    std::fwrite(listing.data(), 1, listing.size(), out);
    std::fflush(out);
    std::fprintf(err, "languages: %d, rows: %d, captions: %d, captions cut: %d, layout: %s\n", report.languages,
                 report.rows, report.captions, report.cutCaptions, report.ownLayout ? "own" : "other");
    return report.captions > 0 ? kExitDone : kExitNothing;
}

}  // namespace zav::cli
