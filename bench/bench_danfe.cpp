// The DANFE of invoices of 1 item (one sheet) and of 990 items, drawn into a PDF in memory
// from their XML already read. After the runs it prints how the times compare with the
// goals: 990 items in under 1 s, one sheet in under 100 ms.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/processor_times.h"
#include "danfe/danfe_pdf.h"
#include "danfe/gui_session.h"
#include "danfe/invoice_reader.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/portal/invoice_content.h"
#include "sample/portal/sample_invoices.h"

namespace {

std::string Name(int items) {
    return "danfe/" + std::to_string(items) + "_items";
}

danfe::Invoice SampleInvoice(int items) {
    sample::SampleInvoice invoice;
    invoice.key = sample::KeyWithCheckDigit("35 1503 61024385000111 55 001 000002000 1 20152000");
    sample::SetInvoiceContent(invoice, [items] { return sample::InvoiceWithItems(items); });
    return danfe::ReadInvoice(invoice.xml());
}

void Draw(benchmark::State& state, const danfe::Invoice* invoice) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = danfe::DanfePdf(*invoice).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["PDF_kB"] = static_cast<double>(bytes) / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const danfe::GuiSession session;
    const danfe::Invoice small = SampleInvoice(1);
    const danfe::Invoice large = SampleInvoice(990);
    benchmark::RegisterBenchmark(Name(1).c_str(), Draw, &small)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(Name(990).c_str(), Draw, &large)->Unit(benchmark::kMillisecond);

    ProcessorTimes times;
    benchmark::RunSpecifiedBenchmarks(&times);
    std::printf("\nComparison with the goals (processor time):\n");
    std::printf("  one sheet (1 item) drawn in %.1f ms (goal: under 100 ms)\n",
                times.Seconds(Name(1)) * 1e3);
    std::printf("  990 items drawn in %.1f ms (goal: under 1000 ms)\n",
                times.Seconds(Name(990)) * 1e3);
    benchmark::Shutdown();
    return 0;
}
