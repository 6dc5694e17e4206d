// The capture of a saved page as vellora-convert does it (character set, body in its legacy
// form, page lines), on three pages of the same size: <div> elements side by side, nested
// 200,000 deep, and nested as deep as the capture reads, again and again. After the runs it
// prints how the nested pages compare with the flat one; the goal is that the 200,000-deep page
// costs at most 5 times the flat page.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/processor_times.h"

#include "capture/capture_page.h"
#include "capture/nesting_depth.h"
#include "capture/saved_page.h"

namespace {

constexpr std::size_t kDeepLevels = 200000;

std::string Repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

std::string Document(const std::string& body) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + body +
           "</body></html>";
}

std::string Nested(std::size_t levels) {
    return Repeated("<div>", levels) + "x" + Repeated("</div>", levels);
}

// Pieces repeated until the body is about as long as the 200,000-deep one.
std::string SameSize(const std::string& piece) {
    return Repeated(piece, Nested(kDeepLevels).size() / piece.size());
}

void Capture(benchmark::State& state, const std::string* page) {
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(
                capture::PageLinesFromDocument(capture::DecodeSavedPage(*page)));
        } catch (const capture::MarkupTooDeep&) {
            // the program says so and reads nothing more of the page
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page->size()));
}

void PrintComparison(const ProcessorTimes& times) {
    const double flat = times.Seconds("capture/flat");
    if (flat <= 0) {
        return;
    }
    std::printf("\nComparison with the flat page (processor time):\n");
    if (const double deep = times.Seconds("capture/nested_200000_deep"); deep > 0) {
        std::printf("  200,000 deep costs %.3g times the flat page (goal: at most 5)\n",
                    deep / flat);
    }
    if (const double deepest = times.Seconds("capture/nested_as_deep_as_read"); deepest > 0) {
        std::printf("  nested as deep as the capture reads: %.2f times the flat page\n",
                    deepest / flat);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // html and body are open around the nested elements.
    const std::size_t deepestRead = capture::kMaximumNestingDepth - 2;
    const std::map<std::string, std::string> pages = {
        {"capture/flat", Document(SameSize("<div>x</div>"))},
        {"capture/nested_200000_deep", Document(Nested(kDeepLevels))},
        {"capture/nested_as_deep_as_read", Document(SameSize(Nested(deepestRead)))},
    };
    for (const auto& [name, page] : pages) {
        benchmark::RegisterBenchmark(name.c_str(), Capture, &page)->Unit(benchmark::kMillisecond);
    }
    ProcessorTimes times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparison(times);
    benchmark::Shutdown();
    return 0;
}
