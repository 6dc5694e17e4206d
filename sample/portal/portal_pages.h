#pragma once

#include <string>
#include <string_view>

#include "sample/portal/sample_invoice.h"

namespace sample {

// The HTML of the portal's own pages (UTF-8). The print page is the invoice's.

// The hidden state that an ASP.NET form carries from page to page; the portal makes it
// anew for every page.
struct FormState {
    std::string viewState;
    std::string eventValidation;
};

// The form that takes key and captcha; formAction is the address the page was asked under.
// Without a captcha data address the page has no security image. The image's source is its
// last attribute, followed by one blank and the captcha box, which is what the program
// looks for around the picture's data.
std::string ConsultationPage(std::string_view formAction, std::string_view captchaDataAddress,
                             std::string_view message, const FormState& state);

// The summary of a consulted invoice with the download button, whose confirmation the
// program answers; a cancelled invoice raises its message as the page loads.
std::string ResultPage(std::string_view formAction, const SampleInvoice& invoice,
                       const FormState& state);

std::string NotFoundPage();
std::string MaintenancePage();
std::string ServerErrorPage();
std::string UnknownAddressPage();
// The download asked without a client certificate.
std::string CertificateRequiredPage();

// The page with a script that removes the page's body once it has loaded.
std::string WithVanishingBody(std::string page);

}  // namespace sample
