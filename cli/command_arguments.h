#pragma once
// The arguments of a zavcaption command: a fixed number of files and options that
// take a value, written "--name VALUE" or "--name=VALUE". "-" counts as a file (the
// standard input); anything else starting with "-" is an option.

#include "cli/commands.h"

#include <cstdio>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

namespace zav::cli {

struct CommandArguments {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;  // by name with its dashes, as "--code-page"

    // The option's value, or the fallback when it was not given.
    std::string option(const std::string& name, const std::string& fallback) const;
    bool has(const std::string& name) const { return options.count(name) != 0; }
};

// The files and options of the command, or nothing with a message on err (naming
// the command) when an argument is unknown, an option lacks its value or the number
// of files is not fileCount.
std::optional<CommandArguments> parseCommandArguments(const Arguments& arguments, const char* command,
                                                      std::initializer_list<const char*> optionNames,
                                                      std::size_t fileCount, std::FILE* err);

}  // namespace zav::cli
