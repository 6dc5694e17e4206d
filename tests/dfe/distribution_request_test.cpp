#include "dfe/distribution_request.h"

#include <gtest/gtest.h>

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"

namespace dfe {
namespace {

const Party kCompany{Party::Kind::cnpj, "44555666000181"};

TEST(DistributionEnvelope, CarriesEachQueryInTheServicesMessage) {
    const std::string key = "35150761024385000111550010000001011102030405";
    struct Case {
        DistributionRequest request;
        std::string message;  // distDFeInt as the service expects it
    };
    const std::string open =
        "<distDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\">";
    const Case cases[] = {
        {{Environment::production, 35, kCompany, DistNsu{0}},
         open + "<tpAmb>1</tpAmb><cUFAutor>35</cUFAutor><CNPJ>44555666000181</CNPJ>"
                "<distNSU><ultNSU>000000000000000</ultNSU></distNSU></distDFeInt>"},
        {{Environment::homologation, std::nullopt, kCompany, ConsNsu{123456789012345}},
         open + "<tpAmb>2</tpAmb><CNPJ>44555666000181</CNPJ>"
                "<consNSU><NSU>123456789012345</NSU></consNSU></distDFeInt>"},
        {{Environment::production, 11, Party{Party::Kind::cpf, "11144477735"}, ConsChNFe{key}},
         open +
             "<tpAmb>1</tpAmb><cUFAutor>11</cUFAutor><CPF>11144477735</CPF>"
             "<consChNFe><chNFe>" +
             key + "</chNFe></consChNFe></distDFeInt>"},
    };
    for (const Case& c : cases) {
        const std::string envelope = DistributionEnvelope(c.request);
        EXPECT_EQ(envelope.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"), 0u);
        // No white space between the tags after the declaration's line.
        const std::size_t first = envelope.find('\n') + 1;
        EXPECT_EQ(envelope.substr(first, envelope.rfind('>') - first).find_first_of("\r\n\t"),
                  std::string::npos);
        EXPECT_NE(envelope.find("<nfeDadosMsg>" + c.message + "</nfeDadosMsg>"), std::string::npos)
            << envelope;

        const XmlDocument parsed = XmlDocument::Parse(envelope, "O pedido");
        const xmlNode* operation =
            FindElement(parsed.Root(), kNamespaceDistributionWsdl, "nfeDistDFeInteresse");
        ASSERT_NE(operation, nullptr);
        EXPECT_TRUE(IsElement(operation->parent, kNamespaceSoap12, "Body"));
        EXPECT_TRUE(IsElement(parsed.Root(), kNamespaceSoap12, "Envelope"));
    }
}

}  // namespace
}  // namespace dfe
