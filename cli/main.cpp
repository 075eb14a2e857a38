// zavcaption: looks into and converts caption files from a script or a machine
// without the editor, reading and writing them with the editor's own portable core.
#include "cli/commands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    int (*run)(const zav::cli::Arguments&, std::FILE*, std::FILE*);
};

constexpr Command kCommands[] = {
    {"list", zav::cli::listCommand},
    {"convert", zav::cli::convertCommand},
    {"check", zav::cli::checkCommand},
    {"speech", zav::cli::speechCommand},
};

const char* const kUsage =
    "usage: zavcaption COMMAND ARGUMENTS\n"
    "\n"
    "  list FILE [--code-page NAME]\n"
    "      Prints the captions of a SAMI, SubRip, WebVTT or TTML file (told by its\n"
    "      content) as the editor's import reads them: one line per row and\n"
    "      language with a text (class, language code, start time in milliseconds,\n"
    "      text; TAB-separated, UTF-8), then a summary on standard error. In the\n"
    "      text a TAB, CR, LF and backslash are written \\t, \\r, \\n and \\\\. FILE \"-\"\n"
    "      is the standard input. Exit status: 0 captions read, 1 none, 2 error\n"
    "      (a TTML file that is not well-formed XML is an error naming the line).\n"
    "\n"
    "  convert IN OUT [--language CLASS] [--code-page NAME]\n"
    "      Reads IN as the editor's import does and writes OUT as its export does,\n"
    "      rows sorted by time; each format is told by the file's extension (.smi or\n"
    "      .sami, .srt, .vtt, and .ttml, .dfxp or .xml for TTML). SubRip and WebVTT\n"
    "      hold one language: the one of class CLASS, else the first. TTML holds\n"
    "      the language of class CLASS when --language is given, else every\n"
    "      language (one div each). OUT is replaced whole or not at all. Exit\n"
    "      status: 0 written, 1 IN holds no caption (nothing written), 2 error.\n"
    "\n"
    "  check FILE [--language CLASS] [--profile NAME] [--fps RATE] [--max-cps N]\n"
    "        [--max-chars N] [--max-lines N] [--min-duration MS] [--max-duration MS]\n"
    "        [--min-gap-frames N] [--code-page NAME]\n"
    "      Checks the captions of FILE, read as list reads it, against the limits\n"
    "      of a profile (default, children, narrow, house-20; default when not\n"
    "      given) with the options that change them; RATE is 23.976, 24, 25\n"
    "      (when not given), 29.97 or 30. Every language is checked unless\n"
    "      CLASS names one. One line per problem: row (from 1), class, start time\n"
    "      in milliseconds (\"-\" for none), kind, value, limit (TAB-separated),\n"
    "      then a summary on standard error. Kinds: too-fast, line-too-long,\n"
    "      too-many-lines, too-short, too-long, gap-too-small, short-clear,\n"
    "      unsorted, untimed-text. Exit status: 0 no problem, 1 problems (or no\n"
    "      caption to check), 2 error.\n"
    "\n"
    "  speech FILE\n"
    "      Finds where speech (or any sound in the foreground) starts and ends in a\n"
    "      WAV file (integer PCM of 8 to 32 bits or float, any rate, channels mixed\n"
    "      down) with the detector the editor snaps stamps to: one line per stretch\n"
    "      (onset and end in milliseconds, confidence 0-1; TAB-separated), then a\n"
    "      summary of the sound on standard error. FILE \"-\" is the standard input.\n"
    "      Exit status: 0 speech found, 1 none, 2 error.\n"
    "\n"
    "  NAME is the iconv name of the ANSI code page (WINDOWS-1252 when not given):\n"
    "  SAMI files are read and written in it, SubRip and WebVTT files read in it\n"
    "  when they are neither UTF-8 nor marked (they are written in UTF-8, as TTML).\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return zav::cli::kExitDone;
    }
    if (argc >= 2) {
        for (const Command& command : kCommands) {
            if (std::strcmp(argv[1], command.name) == 0)
                return command.run(zav::cli::Arguments(argv + 2, argv + argc), stdout, stderr);
        }
        std::fprintf(stderr, "zavcaption: unknown command '%s'\n", argv[1]);
    }
    std::fputs(kUsage, stderr);
    return zav::cli::kExitError;
}
