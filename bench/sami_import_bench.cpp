// Import SAMI of files made elsewhere, on generated files of 2,000 and 100,000
// SYNCs in two languages (the larger is about 17 MB), against ffmpeg's SAMI demuxer
// on the same files. ffmpeg runs as a subprocess, so its figure includes starting
// the process; without ffmpeg on the PATH that part is left out. After the runs the
// ratio of the two times is printed.
#include "cli/iconv_code_page.h"
#include "core/caption_document.h"
#include "core/sami_writer.h"
#include "core/sami_import.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

const std::unique_ptr<zav::cli::IconvCodePage> cp1252 = zav::cli::IconvCodePage::open("WINDOWS-1252");

// About 40 characters of words, some with markup, entities or a Windows-1252 letter.
std::string captionText(std::mt19937& random) {
    static const char* const words[] = {"the", "caption", "<i>editor</i>", "shows", "a", "movie", "caf\xE9",
                                        "&amp;", "speakers", "talk,", "and", "<b>everyone</b>", "reads", "along."};
    std::string text;
    while (text.size() < 40) {
        if (!text.empty()) text += random() % 8 == 0 ? "\r\n     " : " ";
        text += words[random() % std::size(words)];
    }
    return text;
}

// A hand-made layout: mixed-case tags, end tags, texts over several lines.
std::string generatedFile(int syncs) {
    std::mt19937 random(17);
    std::string file =
        "<SAMI>\r\n<HEAD>\r\n<TITLE>Benchmark</TITLE>\r\n<STYLE TYPE=\"text/css\">\r\n<!--\r\n"
        "P { font-family: Arial; }\r\n.ENUSCC { Name: English; lang: en-US; }\r\n"
        ".FRFRCC { Name: French; lang: fr-FR; }\r\n-->\r\n</STYLE>\r\n</HEAD>\r\n<BODY>\r\n";
    for (int i = 0; i < syncs; ++i) {
        file += "<SYNC Start=" + std::to_string(i * 1500 + static_cast<int>(random() % 1000)) + ">\r\n";
        file += "  <P Class=ENUSCC>" + captionText(random) + "</P>\r\n";
        file += "  <P Class=FRFRCC>" + captionText(random) + "</P>\r\n</SYNC>\r\n";
    }
    return file + "</BODY>\r\n</SAMI>\r\n";
}

const std::string& fileBytes(int syncs) {
    static std::map<int, std::string> files;
    auto found = files.find(syncs);
    if (found == files.end()) found = files.emplace(syncs, generatedFile(syncs)).first;
    return found->second;
}

std::filesystem::path filePath(int syncs) {
    return std::filesystem::temp_directory_path() / ("zav_sami_bench_" + std::to_string(syncs) + ".smi");
}

void writeFile(int syncs) {
    std::ofstream(filePath(syncs), std::ios::binary) << fileBytes(syncs);
}

// The best time per run of each benchmark, by file size.
std::map<int, double> oursSeconds;
std::map<int, double> ffmpegSeconds;

void keepBest(std::map<int, double>& best, int syncs, double seconds) {
    const auto found = best.find(syncs);
    if (found == best.end() || seconds < found->second) best[syncs] = seconds;
}

void importOtherLayout(benchmark::State& state) {
    const int syncs = static_cast<int>(state.range(0));
    const std::string& bytes = fileBytes(syncs);
    for (auto _ : state) {
        // From the file's bytes to the built document; freeing the document is left out.
        zav::CaptionDocument document;
        const auto start = Clock::now();
        zav::SamiDocumentTarget target(document, *cp1252);
        const zav::SamiImportReport report = zav::importSamiFile(bytes, *cp1252, target);
        benchmark::DoNotOptimize(report.captions);
        keepBest(oursSeconds, syncs, std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(importOtherLayout)->Arg(2000)->Arg(100000)->MinTime(1.0)->Unit(benchmark::kMillisecond);

// The check that picks the reader, on an exported file of as many SYNCs in two
// languages: every line is looked at once, so the time grows with the file.
void checkOwnLayout(benchmark::State& state) {
    std::mt19937 random(5);
    zav::CaptionDocument document;
    document.appendLanguage(zav::LanguageClass("ENUSCC", "English", "en-US"));
    document.appendLanguage(zav::LanguageClass("FRFRCC", "French", "fr-FR"));
    for (int row = 0; row < state.range(0); ++row) {
        document.appendRow();
        document.setStartTime(row, row * 1500.0, *cp1252);
        for (int language = 0; language < 2; ++language) {
            std::string text = captionText(random);
            text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
                       text.end());
            document.setText(language, row, cp1252->fromAnsi(text));
        }
    }
    const std::string bytes = zav::samiFileBytes(document, *cp1252);
    if (!zav::isOwnSamiLayout(bytes)) state.SkipWithError("the exported file left the layout");
    for (auto _ : state) benchmark::DoNotOptimize(zav::isOwnSamiLayout(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(checkOwnLayout)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);

void ffmpegDemux(benchmark::State& state) {
    const int syncs = static_cast<int>(state.range(0));
    writeFile(syncs);
    const std::string command = "ffmpeg -nostdin -loglevel error -i '" + filePath(syncs).string() +
                                "' -map 0 -c copy -f null - >/dev/null 2>&1";
    for (auto _ : state) {
        const auto start = Clock::now();
        const int status = std::system(command.c_str());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (status != 0) {
            state.SkipWithError("ffmpeg failed");
            break;
        }
        state.SetIterationTime(seconds);
        keepBest(ffmpegSeconds, syncs, seconds);
    }
    std::filesystem::remove(filePath(syncs));
}

bool haveFfmpeg() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

void printRatios() {
    for (const auto& [syncs, ours] : oursSeconds) {
        const auto ffmpeg = ffmpegSeconds.find(syncs);
        if (ffmpeg == ffmpegSeconds.end()) continue;
        std::printf("SAMI import, %d SYNCs (%.1f MB): ours %.1f ms, ffmpeg %.1f ms; ours is %.1fx as fast\n", syncs,
                    static_cast<double>(fileBytes(syncs).size()) / 1e6, ours * 1e3, ffmpeg->second * 1e3,
                    ffmpeg->second / ours);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!cp1252) {
        std::fprintf(stderr, "iconv has no WINDOWS-1252\n");
        return 1;
    }
    if (haveFfmpeg()) {
        benchmark::RegisterBenchmark("ffmpegDemux", ffmpegDemux)
            ->Arg(2000)
            ->Arg(100000)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    } else {
        std::printf("ffmpeg not found: its SAMI demuxer is not timed\n");
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printRatios();
    return 0;
}
