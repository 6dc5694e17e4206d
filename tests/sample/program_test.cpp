#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <sstream>
#include <string>
#include <vector>

#include "capture/capture_page.h"
#include "convert/convert_page_text.h"
#include "nfe/access_key.h"
#include "sample/portal/portal_addresses.h"
#include "sample/portal/sample_invoices.h"
#include "tests/sample/portal_visitor.h"
#include "tests/support/child_process.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace sample {
namespace {

test_support::CommandOutput RunProgram(const std::string& arguments) {
    return test_support::RunCommand(std::string(SAMPLE_PORTAL_PROGRAM) + " " + arguments + " 2>&1");
}

TEST(Program, ListsTheSampleKeysAndRefusesUnknownOptions) {
    const test_support::CommandOutput list = RunProgram("--list");
    EXPECT_EQ(list.status, 0);
    std::istringstream lines(list.text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(nfe::IsValidAccessKey(line.substr(0, 44))) << line;
        EXPECT_EQ(line.substr(44, 2), "  ") << line;
    }
    EXPECT_EQ(count, 23);

    const test_support::CommandOutput wrong = RunProgram("--colour");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_THAT(wrong.text, testing::HasSubstr("unknown option \"--colour\""));
}

TEST(Program, PrintsItsFreePortFirstAndServesThere) {
    const test_support::RunningProgram portal(SAMPLE_PORTAL_PROGRAM, {"--port", "0"});
    const int number = portal.port();
    ASSERT_GT(number, 0) << portal.firstLine();
    EXPECT_EQ(portal.firstLine(), std::to_string(number) + "\n");

    httplib::Client client("127.0.0.1", number);
    client.set_connection_timeout(std::chrono::seconds(5));
    client.set_read_timeout(std::chrono::seconds(10));
    const auto page = client.Get(std::string(kConsultationPage));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_THAT(page->body, testing::HasSubstr("data:image/png;base64,"));
}

// What the desktop program does against the sample portal, up to the converted file, with the
// print page saved as a browser saves it and converted by vellora-convert.
TEST(Program, ServesTheFlowUpToAPrintPageThatConvertsToItsInvoice) {
    const test_support::RunningProgram portal(SAMPLE_PORTAL_PROGRAM,
                                              {"--port", "0", "--test-captcha", "K7P4X"});
    ASSERT_GT(portal.port(), 0) << portal.firstLine();
    const SampleInvoice invoice = BundledSampleInvoices().front();
    PortalVisitor visitor(portal.port());

    const auto consultation = visitor.Get(kConsultationPage);
    ASSERT_TRUE(consultation);
    const auto marker = consultation->body.find("data:image/png;base64,");
    ASSERT_NE(marker, std::string::npos);
    EXPECT_NE(consultation->body.find("\"> <INPUT", marker), std::string::npos);
    // The client library decodes the "%3d" of the wrong-captcha return in headers it reads.
    EXPECT_THAT(visitor.Submit(invoice.key, "X7P4K"),
                testing::StartsWith("/portal/consulta.aspx?tipoConsulta=completa"));
    ASSERT_TRUE(visitor.Get(kConsultationPage));
    EXPECT_EQ(visitor.Submit(std::string(44, '9'), "K7P4X"), kNotFoundPage);
    ASSERT_TRUE(visitor.Get(kConsultationPage));
    EXPECT_EQ(visitor.Submit(invoice.key, "k7p4x"), kResultPage);
    const auto result = visitor.Get(kResultPage);
    ASSERT_TRUE(result);
    EXPECT_THAT(result->body, testing::HasSubstr(std::string(kDownloadButton)));
    const auto print = visitor.Get(kPrintPage);
    ASSERT_TRUE(print);
    ASSERT_EQ(print->status, 200);
    EXPECT_EQ(print->body, invoice.printPage());

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "nota.html", print->body);
    const std::string command = std::string(CONVERT_PROGRAM) + " -o '" +
                                (folder / "tool").string() + "' '" +
                                (folder / "nota.html").string() + "' 2>&1";
    const test_support::CommandOutput converted = test_support::RunCommand(command);
    const std::string file = invoice.key + "-nfe.xml";
    ASSERT_EQ(converted.status, 0) << converted.text;
    EXPECT_EQ(converted.text, (folder / "tool" / file).string() + "\n");

    // The same page captured and converted in this process.
    convert::ConversionSettings settings;
    settings.outputFolder = (folder / "here").string();
    convert::ConvertPageText(
        capture::JoinPageLines(capture::PageLinesFromDocument(invoice.printPage()).value()),
        settings);
    EXPECT_EQ(test_support::ReadFile(folder / "tool" / file),
              test_support::ReadFile(folder / "here" / file));
}

// Every invoice issued since 2019 shows "Versão 4.00"; vellora-convert writes it in 3.10.
TEST(Program, ServesAPrintPageOfLayout400ThatConvertsIn310) {
    const test_support::RunningProgram portal(SAMPLE_PORTAL_PROGRAM,
                                              {"--port", "0", "--test-captcha", "K7P4X"});
    ASSERT_GT(portal.port(), 0) << portal.firstLine();
    std::string key;
    for (const SampleInvoice& invoice : BundledSampleInvoices()) {
        key = key.empty() && invoice.layout == "4.00" ? invoice.key : key;
    }
    ASSERT_FALSE(key.empty());
    PortalVisitor visitor(portal.port());
    ASSERT_TRUE(visitor.Get(kConsultationPage));
    ASSERT_EQ(visitor.Submit(key, "K7P4X"), kResultPage);
    ASSERT_TRUE(visitor.Get(kResultPage));
    const auto print = visitor.Get(kPrintPage);
    ASSERT_TRUE(print);
    EXPECT_THAT(print->body, testing::HasSubstr("Versão</label> <span>4.00</span>"));

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "nota.html", print->body);
    const test_support::CommandOutput converted =
        test_support::RunCommand(std::string(CONVERT_PROGRAM) + " -o '" + folder.path().string() +
                                 "' '" + (folder / "nota.html").string() + "' 2>&1");
    ASSERT_EQ(converted.status, 0) << converted.text;
    EXPECT_THAT(converted.text, testing::HasSubstr("nota.html: Nota na versão 4.00: XML gerado no "
                                                   "leiaute 3.10.\n"));
    const std::string xml = test_support::ReadFile(folder / (key + "-nfe.xml"));
    EXPECT_THAT(xml, testing::HasSubstr("<infNFe versao=\"3.10\" Id=\"NFe" + key + "\""));
    EXPECT_THAT(xml, testing::Not(testing::HasSubstr("versao=\"4")));
}

}  // namespace
}  // namespace sample
