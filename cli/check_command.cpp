#include "cli/caption_input.h"
#include "cli/command_arguments.h"
#include "cli/commands.h"
#include "cli/iconv_code_page.h"
#include "core/caption_checks.h"

#include <map>
#include <memory>

namespace zav::cli {
namespace {

// The limits of the profile --profile names with the options that change them, or
// nothing with a message on err when a name or a value does not read.
std::optional<CheckSettings> settingsOf(const CommandArguments& parsed, std::FILE* err) {
    const std::string profileName = parsed.option("--profile", "default");
    const CheckProfile* profile = checkProfileNamed(profileName);
    if (!profile) {
        std::string names;
        for (const CheckProfile& known : checkProfiles()) names += (names.empty() ? "" : ", ") + std::string(known.name);
        std::fprintf(err, "zavcaption check: unknown profile '%s' (profiles: %s)\n", profileName.c_str(), names.c_str());
        return std::nullopt;
    }
    CheckSettings settings{profile->name, profile->limits};
    if (parsed.has("--fps")) {
        const std::string fps = parsed.option("--fps", "");
        const std::optional<FrameRate> rate = frameRateOfName(fps);
        if (!rate) {
            std::fprintf(err, "zavcaption check: unknown frame rate '%s' (rates: 23.976, 24, 25, 29.97, 30)\n",
                         fps.c_str());
            return std::nullopt;
        }
        settings.limits.frameRate = *rate;
    }
    for (const CheckLimitInfo& info : checkLimitInfos()) {
        const std::string option = std::string("--") + info.key;
        if (!parsed.has(option)) continue;
        const std::string text = parsed.option(option, "");
        const std::optional<int> value = parseLimitValue(info.limit, text);
        if (!value) {
            std::fprintf(err, "zavcaption check: bad value '%s' for %s (%s, %s to %s)\n", text.c_str(), option.c_str(),
                         info.label, limitValueText(info.limit, info.minimum).c_str(),
                         limitValueText(info.limit, info.maximum).c_str());
            return std::nullopt;
        }
        setLimitValue(settings.limits, info.limit, *value);
    }
    return settings;
}

void writeProblems(const CheckReport& report, const CaptionDocument& document, const CodePageConverter& codePage,
                   std::FILE* out) {
    std::string lines;
    for (const CheckProblem& problem : report.problems) {
        const bool valued = checkKindHasValue(problem.kind);
        lines += std::to_string(problem.row + 1) + '\t' + classNameText(document.languages()[problem.language], codePage);
        lines += '\t' + (problem.startMs < 0 ? std::string("-") : std::to_string(problem.startMs));
        lines += std::string("\t") + checkKindName(problem.kind);
        lines += '\t' + (valued ? checkNumberText(problem.value) : "-");
        lines += '\t' + (valued ? checkNumberText(problem.limit) : "-") + '\n';
    }
    std::fwrite(lines.data(), 1, lines.size(), out);
    std::fflush(out);
}

std::string counted(std::size_t count, const char* noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

// "2 problems in 4 captions of 2 languages (profile=default fps=30): too-fast 1, unsorted 1".
std::string summaryOf(const CheckReport& report, int languages, const CheckSettings& settings) {
    std::string line = report.problems.empty() ? std::string("no problem") : counted(report.problems.size(), "problem");
    line += " in " + counted(static_cast<std::size_t>(report.captions), "caption") + " of " +
            counted(static_cast<std::size_t>(languages), "language") + " (" + checkSettingsText(settings) + ')';
    std::map<CheckKind, int> byKind;
    for (const CheckProblem& problem : report.problems) ++byKind[problem.kind];
    const char* separator = ": ";
    for (const auto& [kind, count] : byKind) {
        line += separator + std::string(checkKindName(kind)) + ' ' + std::to_string(count);
        separator = ", ";
    }
    return line;
}

}  // namespace

int checkCommand(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    const std::optional<CommandArguments> parsed =
        parseCommandArguments(arguments, "check",
                              {"--language", "--code-page", "--profile", "--fps", "--max-cps", "--max-chars",
                               "--max-lines", "--min-duration", "--max-duration", "--min-gap-frames"},
                              1, err);
    if (!parsed) return kExitError;
    const std::optional<CheckSettings> settings = settingsOf(*parsed, err);
    if (!settings) return kExitError;
    const std::string codePageName = parsed->option("--code-page", kDefaultCodePage);
    const std::unique_ptr<IconvCodePage> codePage = IconvCodePage::open(codePageName);
    if (!codePage) {
        std::fprintf(err, "zavcaption check: unknown code page '%s'\n", codePageName.c_str());
        return kExitError;
    }
    const std::string& path = parsed->files[0];
    const std::optional<std::string> bytes = readInputFile(path, "check", err);
    if (!bytes) return kExitError;

    // Read as list reads: SubRip and WebVTT by their content, anything else as SAMI.
    const CaptionFormat format = captionFormatOfContent(*bytes);
    const bool cues = format == CaptionFormat::subRip || format == CaptionFormat::webVtt;
    const LoadedCaptions loaded = cues ? loadCues(*bytes, *codePage) : loadSami(*bytes, *codePage);
    const CaptionDocument& document = loaded.document;
    std::optional<int> language;
    if (parsed->has("--language")) {
        language = languageOfClass(parsed->option("--language", ""), document, *codePage, path, "check", err);
        if (!language) return kExitError;
    }
    const CheckReport report =
        language ? checkLanguage(document, *language, settings->limits) : checkDocument(document, settings->limits);
    // A file (or language) that reads as nothing must not pass a delivery check as clean.
    if (report.captions == 0 && report.problems.empty()) {
        std::fprintf(err, "zavcaption check: %s holds no caption%s\n", path.c_str(), language ? " in that language" : "");
        return kExitNothing;
    }
    writeProblems(report, document, *codePage, out);
    std::fprintf(err, "%s\n", summaryOf(report, language ? 1 : document.languageCount(), *settings).c_str());
    return report.problems.empty() ? kExitDone : kExitNothing;
}

}  // namespace zav::cli
