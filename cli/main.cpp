// zavcaption: looks into caption files from a script or a machine without the
// editor, reading them with the editor's own portable core.
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
};

const char* const kUsage =
    "usage: zavcaption COMMAND ARGUMENTS\n"
    "\n"
    "  list FILE [--code-page NAME]\n"
    "      Prints the captions of a SAMI file as Import SAMI reads it: one line per\n"
    "      row and language with a text (class, language code, start time in\n"
    "      milliseconds, text; TAB-separated, UTF-8), then a summary on standard\n"
    "      error. NAME is the iconv name of the ANSI code page (WINDOWS-1252 when\n"
    "      not given). Exit status: 0 captions read, 1 none, 2 error.\n";

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
