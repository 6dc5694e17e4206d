// The conversion of rendered print pages of 1, 10, 100 and 990 items, and beside each page one
// case-insensitive search over its page text for a label it does not hold: the unit of work of
// the conversion; also the conversion without writing the file. After the runs it prints how the
// times compare with the goals: a 990-item page converts in under 50 ms, 990 items cost at most 12
// times what 100 cost, and a page costs at most 40 searches.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/processor_times.h"
#include "capture/capture_page.h"
#include "convert/convert_page_text.h"
#include "convert/page_document.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/print_page/print_page.h"
#include "text/ascii_case.h"

namespace {

using namespace convert::literals;

constexpr int kItemCounts[] = {1, 10, 100, 990};

// A label the conversion looks for, which these pages never show.
constexpr std::string_view kAbsentLabel = "Data Saída/Entrada "_w1252;

struct Page {
    std::string lines;  // as the capture hands them to the conversion
    std::string text;   // as the conversion reads them
};

Page RenderedPage(int items) {
    const std::string html = sample::RenderPrintPage(sample::InvoiceWithItems(items));
    Page page;
    page.lines = capture::JoinPageLines(capture::PageLinesFromDocument(html).value());
    page.text = convert::BuildPageText(page.lines);
    return page;
}

std::string ConvertName(int items) {
    return "convert/" + std::to_string(items) + "_items";
}
std::string ReadName(int items) {
    return "read/" + std::to_string(items) + "_items";
}
std::string SearchName(int items) {
    return "search/" + std::to_string(items) + "_items";
}

void PrintComparison(const ProcessorTimes& times) {
    std::printf("\nComparison with the goals (processor time):\n");
    const double large = times.Seconds(ConvertName(990));
    if (large > 0) {
        std::printf("  990-item page converts in %.2f ms (goal: under 50 ms)\n", large * 1e3);
    }
    if (large > 0 && times.Seconds(ConvertName(100)) > 0) {
        std::printf("  990 items cost %.2f times 100 items (goal: at most 12)\n",
                    large / times.Seconds(ConvertName(100)));
    }
    for (const int items : kItemCounts) {
        const double convert = times.Seconds(ConvertName(items));
        const double search = times.Seconds(SearchName(items));
        if (convert > 0 && search > 0) {
            std::printf(
                "  %d-item page costs %.1f searches (goal: at most 40); read alone "
                "%.1f\n",
                items, convert / search, times.Seconds(ReadName(items)) / search);
        }
    }
}

// The whole conversion: the document read from the page and written as its XML file.
void Convert(benchmark::State& state, const Page* page,
             const convert::ConversionSettings* settings) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert::ConvertPageText(page->lines, *settings));
    }
}

// The document read from the page, without the file.
void Read(benchmark::State& state, const Page* page, const convert::ConversionSettings* settings) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert::ReadPageDocument(page->lines, *settings));
    }
}

void Search(benchmark::State& state, const Page* page) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::FindIgnoringCase(page->text, kAbsentLabel));
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    const std::filesystem::path output =
        std::filesystem::temp_directory_path() /
        ("vellora-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(output);
    convert::ConversionSettings settings;
    settings.outputFolder = output.string();

    std::map<int, Page> pages;
    for (const int items : kItemCounts) {
        pages[items] = RenderedPage(items);
        if (text::FindIgnoringCase(pages[items].text, kAbsentLabel) != std::string::npos) {
            std::fprintf(stderr, "The label searched for occurs on the page of %d items\n", items);
            return 1;
        }
        const Page* page = &pages[items];
        benchmark::RegisterBenchmark(ConvertName(items).c_str(), Convert, page, &settings)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(ReadName(items).c_str(), Read, page, &settings)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(SearchName(items).c_str(), Search, page)
            ->Unit(benchmark::kMicrosecond);
    }

    ProcessorTimes times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparison(times);
    benchmark::Shutdown();
    std::filesystem::remove_all(output);
    return 0;
}
