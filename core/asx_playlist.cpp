#include "core/asx_playlist.h"

namespace zav {

std::string asxPlaylist(std::string_view movieName, std::string_view samiName) {
    std::string bytes;
    bytes.reserve(80 + movieName.size() + samiName.size());
    bytes += "<ASX version = \"3.0\">\r\n";
    bytes += "<ENTRY>\r\n";
    bytes += "<REF HREF = \"";
    bytes += movieName;
    bytes += "?SAMI=";
    bytes += samiName;
    bytes += "\"/>\r\n";
    bytes += "</ENTRY>\r\n";
    bytes += "</ASX>\r\n";
    return bytes;
}

std::u16string_view fileNameOf(std::u16string_view path) {
    const std::size_t lastBackslash = path.rfind(u'\\');
    return lastBackslash == std::u16string_view::npos ? path : path.substr(lastBackslash + 1);
}

std::u16string withAsxExtension(std::u16string_view path) {
    constexpr std::u16string_view extension = u".asx";
    std::u16string result(path);
    if (path.size() < extension.size() || path.substr(path.size() - extension.size()) != extension)
        result += extension;
    return result;
}

std::u16string_view producerMovieFolder(std::u16string_view moviePath) {
    const std::size_t lastBackslash = moviePath.rfind(u'\\');
    return lastBackslash == std::u16string_view::npos ? std::u16string_view() : moviePath.substr(0, lastBackslash + 1);
}

std::u16string producerSearchPattern(std::u16string_view folder) {
    std::u16string pattern(folder);
    pattern += u"*_files";
    return pattern;
}

std::u16string producerFilePath(std::u16string_view folder, std::u16string_view entry, std::u16string_view name) {
    std::u16string path(folder);
    path += entry;
    path += u'\\';
    path += name;
    return path;
}

}  // namespace zav
