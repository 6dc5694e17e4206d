#include <gtest/gtest.h>

#include <string>

#include "nfe/nfe_writer.h"
#include "tests/nfe/sample_documents.h"
#include "tests/support/file_contents.h"
#include "tests/support/golden_file.h"
#include "tests/support/temporary_directory.h"

namespace nfe {
namespace {

using test_support::FixturePath;
using test_support::ReadFile;

// Whole saved files, byte for byte.
TEST(TNFeWGolden, SavedDocumentsMatchTheirGoldenFiles) {
    struct Case {
        const char* golden;
        TNFe (*build)();
        const char* fileName;
    };
    const Case cases[] = {
        {"nfe_310_com_protocolo.xml", samples::NFe310ComProtocolo,
         "35150811222333000181550010000012341123456783-nfe.xml"},
        {"nfe_200_sem_protocolo.xml", samples::NFe200SemProtocolo,
         "43120311222333000181550020000000421876543218-nfe.xml"},
        {"nfe_simples_nacional.xml", samples::NFeSimplesNacional,
         "31150144555666000181550010000007771201501201-nfe.xml"},
    };
    for (const Case& c : cases) {
        TNFe nfe = c.build();
        TNFeW writer(nfe);
        EXPECT_TRUE(writer.GerarXml()) << c.golden;
        EXPECT_EQ(writer.ObterNomeArquivo(), c.fileName);

        test_support::TemporaryDirectory dir;
        const auto saved = dir / writer.ObterNomeArquivo();
        ASSERT_TRUE(writer.Gerador.SalvarArquivo(saved, fgXML));
        const std::string actual = ReadFile(saved);
        const auto golden = FixturePath("nfe", c.golden);
        EXPECT_TRUE(test_support::MatchesGoldenXml(actual, golden));
    }
}

}  // namespace
}  // namespace nfe
