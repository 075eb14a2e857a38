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
    {"speech", zav::cli::speechCommand},
};

const char* const kUsage =
    "usage: zavcaption COMMAND ARGUMENTS\n"
    "\n"
    "  list FILE [--code-page NAME]\n"
    "      Prints the captions of a SAMI, SubRip or WebVTT file (told by its\n"
    "      content) as the editor's import reads them: one line per row and\n"
    "      language with a text (class, language code, start time in milliseconds,\n"
    "      text; TAB-separated, UTF-8), then a summary on standard error. FILE \"-\"\n"
    "      is the standard input. Exit status: 0 captions read, 1 none, 2 error.\n"
    "\n"
    "  convert IN OUT [--language CLASS] [--code-page NAME]\n"
    "      Reads IN as the editor's import does and writes OUT as its export does,\n"
    "      rows sorted by time; each format is told by the file's extension (.smi or\n"
    "      .sami, .srt, .vtt). SubRip and WebVTT hold one language: the one of class\n"
    "      CLASS, else the first. OUT is replaced whole or not at all. Exit status:\n"
    "      0 written, 1 IN holds no caption (nothing written), 2 error.\n"
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
    "  when they are neither UTF-8 nor marked (they are written in UTF-8).\n";

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
