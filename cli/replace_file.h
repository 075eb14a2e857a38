#pragma once
// Writing a file so that it is either wholly the new bytes or left as it was: the
// bytes go to a temporary file in the same folder, which is then renamed over the
// path. A failure on the way removes the temporary file and leaves the path alone.

#include <string>
#include <string_view>

namespace zav::cli {

// Empty on success, else what went wrong (the system's message).
std::string replaceFileWith(const std::string& path, std::string_view bytes);

}  // namespace zav::cli
