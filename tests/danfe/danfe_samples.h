#pragma once

#include <string>

// What the DANFE tests share: the Qt Gui application, the sample invoices as XML, and what
// poppler and zbar read back from a PDF.
namespace danfe_test {

// Makes the one Qt Gui application of the test program, once.
void EnsureGui();

// The XML (nfeProc) of the sample portal's invoice with this key.
std::string SampleXml(const std::string& key);
// A sample regime-normal invoice with count items, under a key of its own.
std::string InvoiceWithItemsXml(int count);
// The invoice of layout 4.00 kept beside the tests.
std::string Layout400Xml();

// pdftotext of the PDF, sheets separated by form feeds.
std::string PdfText(const std::string& pdf);
// What zbarimg reads from the PDF's first sheet: "CODE-128:KEY" lines.
std::string BarcodesOfFirstSheet(const std::string& pdf);

}  // namespace danfe_test
