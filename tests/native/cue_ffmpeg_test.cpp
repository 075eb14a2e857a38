// Cross-checks with ffmpeg, run as a separate program: it reads the SubRip and
// WebVTT files we write as we meant them, and its conversion of a SAMI file imports
// as the SAMI file itself does. Skipped where ffmpeg is not installed.
#include "core/cue_document.h"
#include "core/cue_writer.h"
#include "core/sami_writer.h"
#include "core/sami_own_reader.h"
#include "core/text_encoding.h"
#include "tests/native/iconv_code_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zav {
namespace {

const test::IconvCodePage cp1252;

struct SeenCue {
    std::int64_t startMs;
    std::int64_t endMs;
    std::string text;  // lines joined with LF
    bool operator==(const SeenCue& o) const { return startMs == o.startMs && endMs == o.endMs && text == o.text; }
};

void PrintTo(const SeenCue& cue, std::ostream* out) { *out << cue.startMs << "-" << cue.endMs << " " << cue.text; }

bool haveFfmpeg() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

std::string tempFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "zav_" + std::to_string(getpid()) + "_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// ffmpeg's SubRip rendering of the file's subtitles.
std::string ffmpegSubRip(const std::string& path) {
    std::string out;
    if (FILE* pipe = popen(("ffmpeg -nostdin -loglevel error -i '" + path + "' -f srt - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    std::remove(path.c_str());
    return out;
}

// ffmpeg writes SubRip blocks of an index, a timing line and text lines, ending inner
// lines with CR LF and the others with LF.
std::vector<SeenCue> parseSubRip(const std::string& out) {
    std::vector<SeenCue> cues;
    std::istringstream in(out + "\n");
    std::string line;
    const auto indexLine = [&] {
        while (std::getline(in, line)) {
            if (!line.empty() && line != "\r") return true;
        }
        return false;
    };
    while (indexLine() && std::getline(in, line)) {
        long long h[2];
        int m[2], s[2], x[2];
        if (std::sscanf(line.c_str(), "%lld:%d:%d,%d --> %lld:%d:%d,%d", &h[0], &m[0], &s[0], &x[0], &h[1], &m[1],
                        &s[1], &x[1]) != 8)
            break;
        SeenCue cue{((h[0] * 60 + m[0]) * 60 + s[0]) * 1000 + x[0], ((h[1] * 60 + m[1]) * 60 + s[1]) * 1000 + x[1], ""};
        while (std::getline(in, line) && !line.empty() && line != "\r")
            cue.text += (cue.text.empty() ? "" : "\n") + line.substr(0, line.find('\r'));
        cues.push_back(cue);
    }
    return cues;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

CaptionDocument sampleDocument() {
    CaptionDocument document;
    document.appendLanguage(LanguageClass("US English", "US English", "en-us"));
    const std::vector<std::pair<double, std::u16string>> rows{
        {1000, u"Hello <i>there</i><br>second line"}, {2500, u"Tom &amp; Jerry, 1 &lt; 2"},
        {4000, u""}, {5000, u"<b>bold</b> <u>under</u> caf\u00e9 \u4e2d"},
        {7000, u"<font color=\"#ff0000\">red</font> and<br>three<br>lines"}, {363600000, u"late"}};
    for (const auto& [ms, text] : rows) {
        document.appendRow();
        document.setStartTime(document.rowCount() - 1, ms, cp1252);
        document.setText(0, document.rowCount() - 1, text);
    }
    return document;
}

// The cues as a reader of the syntax sees them; WebVTT's escapes are decoded.
std::vector<SeenCue> meant(const CaptionDocument& document, CueSyntax syntax) {
    std::vector<SeenCue> cues;
    for (const Cue& cue : documentCues(document, 0)) {
        std::string text;
        for (const std::u16string& line : cueLinesOf(cue.text, syntax))
            text += (text.empty() ? "" : "\n") + utf16ToUtf8(line);
        if (syntax == CueSyntax::webVtt)
            text = replaceAll(replaceAll(replaceAll(text, "&lt;", "<"), "&gt;", ">"), "&amp;", "&");
        cues.push_back({cue.startMs, cue.endMs, text});
    }
    return cues;
}

TEST(FfmpegCrossCheck, ReadsOurFilesWithTheSameCues) {
    if (!haveFfmpeg()) GTEST_SKIP() << "ffmpeg is not on PATH";
    const CaptionDocument document = sampleDocument();
    const std::vector<SeenCue> subRip = parseSubRip(ffmpegSubRip(tempFile("out.srt", subRipFileBytes(document, 0))));
    EXPECT_EQ(subRip, meant(document, CueSyntax::subRip));
    const std::vector<SeenCue> webVtt = parseSubRip(ffmpegSubRip(tempFile("out.vtt", webVttFileBytes(document, 0))));
    EXPECT_EQ(webVtt, meant(document, CueSyntax::webVtt));
    EXPECT_EQ(webVtt.size(), 5u);
}

TEST(FfmpegCrossCheck, ItsConversionOfSamiImportsAsTheSamiFileDoes) {
    if (!haveFfmpeg()) GTEST_SKIP() << "ffmpeg is not on PATH";
    const std::string sami = textModeOutput(
        "<SAMI>\n<HEAD>\n<STYLE type=\"text/css\"><!--\n\t.ENUSCC { name:US English; lang:en-us;  samitype:CC; }\n"
        "--></STYLE>\n</HEAD>\n<BODY>\n"
        "<SYNC start=1000>\n<P class=ENUSCC>Hello <i>there</i><br>second &amp; line\n"
        "<SYNC start=2500>\n<P class=ENUSCC>Next\n<SYNC start=4000>\n<P class=ENUSCC>\n"
        "<SYNC start=6000>\n<P class=ENUSCC>After a gap\n<SYNC start=7000>\n<P class=ENUSCC><b>Touching</b>\n"
        "<SYNC start=9000>\n<P class=ENUSCC>Last one\n</BODY>\n</SAMI>\n");
    CaptionDocument viaSami;
    SamiDocumentTarget target(viaSami, cp1252);
    readSami(textModeInput(sami), cp1252, target);
    const std::string converted = ffmpegSubRip(tempFile("in.smi", sami));
    CaptionDocument viaFfmpeg;
    ASSERT_TRUE(replaceWithCues(viaFfmpeg, readCueFile(converted, cp1252), cp1252)) << converted;
    ASSERT_EQ(viaFfmpeg.rowCount(), viaSami.rowCount()) << converted;
    for (int row = 0; row < viaSami.rowCount(); ++row) {
        EXPECT_EQ(viaFfmpeg.times()[row].startMs, viaSami.times()[row].startMs) << row;
        EXPECT_EQ(viaFfmpeg.text(0, row), viaSami.text(0, row)) << row;
    }
}

}  // namespace
}  // namespace zav
