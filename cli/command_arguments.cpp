#include "cli/command_arguments.h"

namespace zav::cli {

std::string CommandArguments::option(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

std::optional<CommandArguments> parseCommandArguments(const Arguments& arguments, const char* command,
                                                      std::initializer_list<const char*> optionNames,
                                                      std::size_t fileCount, std::FILE* err) {
    CommandArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool known = false;
        for (const std::string name : optionNames) {
            if (argument == name && i + 1 < arguments.size()) {
                parsed.options[name] = arguments[++i];
            } else if (argument.rfind(name + '=', 0) == 0) {
                parsed.options[name] = argument.substr(name.size() + 1);
            } else {
                continue;
            }
            known = true;
            break;
        }
        if (known) continue;
        const bool isFile = argument.empty() || argument[0] != '-' || argument == "-";
        if (!isFile || parsed.files.size() == fileCount) {
            std::fprintf(err, "zavcaption %s: unexpected argument '%s'\n", command, argument.c_str());
            return std::nullopt;
        }
        parsed.files.push_back(argument);
    }
    if (parsed.files.size() < fileCount) {
        std::fprintf(err, "zavcaption %s: %s\n", command,
                     parsed.files.empty() ? "no file given" : "too few files given");
        return std::nullopt;
    }
    return parsed;
}

}  // namespace zav::cli
