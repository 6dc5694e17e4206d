// The catalogue at an office's scale: 10,000 invoice files imported (read, recognised,
// recorded one transaction each, as vellora-dfe notas importar does), then filled up to
// 100,000 documents, listed with filters, and its size on disk. Goals: the import under 10 s,
// each filtered listing under 50 ms, the file under 100 MB.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "catalog/catalog.h"
#include "nfe/access_key.h"
#include "sample/dfe/distributed_invoices.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 10000;
constexpr int kDocuments = 100000;
const char* const kCompany = "44555666000181";

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The sample invoice's key with another number, valid again.
std::string KeyNumbered(const std::string& key, int number) {
    char digits[10];
    std::snprintf(digits, sizeof digits, "%09d", number);
    std::string first43 = key.substr(0, 25) + digits + key.substr(34, 9);
    return first43 + std::to_string(nfe::KeyCheckDigit(first43).digit);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() / ("vellora-bench-catalog-" + std::to_string(::getpid()));
    fs::create_directories(folder / "notas");
    const auto invoices = sample::SampleDistributedInvoices();
    const sample::DistributedInvoice& model = invoices.front();
    const std::string xml = model.xml();

    std::vector<fs::path> files;
    for (int i = 0; i < kFiles; ++i) {
        const std::string key = KeyNumbered(model.key, i + 1);
        files.push_back(folder / "notas" / (key + "-procNFe.xml"));
        std::ofstream(files.back(), std::ios::binary) << Replaced(xml, model.key, key);
    }

    catalog::Catalog catalogue(folder / "vellora.sqlite");
    auto start = Clock::now();
    for (const fs::path& file : files) {
        catalogue.Record(catalog::ReadDocumentFacts(Read(file)), {kCompany, std::nullopt, file, 1});
    }
    std::printf("import of %d files (%zu bytes each): %.2f s (goal < 10 s)\n", kFiles, xml.size(),
                Seconds(start));

    start = Clock::now();
    const char* const issuers[] = {"COMERCIAL ALFA", "BETA MAQUINAS", "GAMA TINTAS", "DELTA PAPEIS",
                                   "EPSILON TRANSPORTES"};
    for (int i = kFiles; i < kDocuments; ++i) {
        catalog::DocumentFacts facts;
        facts.kind = i % 10 == 0 ? catalog::DocumentKind::summary : catalog::DocumentKind::invoice;
        facts.key = KeyNumbered(model.key, i + 1);
        facts.issuer = "6102438500" + std::to_string(1000 + i % 50);
        facts.issuerName = std::string(issuers[i % 5]) + " LTDA " + std::to_string(i % 50);
        char day[11];
        std::snprintf(day, sizeof day, "20%02d-%02d-%02d", 20 + i % 6, 1 + (i / 6) % 12,
                      1 + (i / 72) % 28);
        facts.issued = day;
        facts.valueCents = 1000 + (i * 7919) % 10000000;
        facts.situation =
            i % 49 == 0 ? catalog::Situation::cancelled : catalog::Situation::authorised;
        catalogue.Record(facts, {i % 3 == 0 ? "11222333000181" : kCompany, i,
                                 folder / "notas" / (facts.key + "-procNFe.xml"), 1});
    }
    std::printf("filled up to %d documents: %.1f s\n", kDocuments, Seconds(start));

    struct Listing {
        const char* name;
        catalog::DocumentFilter filter;
    };
    std::vector<Listing> listings(5);
    listings[0].name = "company and one month";
    listings[0].filter.company = kCompany;
    listings[0].filter.from = "2024-03-01";
    listings[0].filter.until = "2024-03-31";
    listings[1].name = "issuer's name";
    listings[1].filter.issuer = "gama tintas ltda 7";
    listings[2].name = "cancelled, one year";
    listings[2].filter.situation = catalog::Situation::cancelled;
    listings[2].filter.from = "2023-01-01";
    listings[2].filter.until = "2023-12-31";
    listings[3].name = "summaries of a company";
    listings[3].filter.company = kCompany;
    listings[3].filter.summariesOnly = true;
    listings[4].name = "issuer's CNPJ and a quarter";
    listings[4].filter.issuer = "61024385001007";
    listings[4].filter.from = "2025-01-01";
    listings[4].filter.until = "2025-03-31";
    for (const Listing& listing : listings) {
        double best = 1e9;
        std::size_t rows = 0;
        for (int run = 0; run < 10; ++run) {
            start = Clock::now();
            rows = catalogue.Invoices(listing.filter).size();
            best = std::min(best, Seconds(start));
        }
        std::printf("listing, %s: %zu rows in %.1f ms (goal < 50 ms)\n", listing.name, rows,
                    best * 1000);
    }

    std::uintmax_t size = 0;
    for (const char* name : {"vellora.sqlite", "vellora.sqlite-wal"}) {
        std::error_code error;
        const auto bytes = fs::file_size(folder / name, error);
        size += error ? 0 : bytes;
    }
    std::printf("catalogue of %d documents: %.1f MB with its log (goal < 100 MB)\n", kDocuments,
                static_cast<double>(size) / 1e6);
    fs::remove_all(folder);
    return 0;
}
