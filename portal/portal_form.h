#pragma once

namespace portal {

// The consultation page's form, by the names (or ids) of its elements.
inline constexpr const char* kKeyField = "ctl00$ContentPlaceHolder1$txtChaveAcessoCompleta";
inline constexpr const char* kCaptchaField = "ctl00$ContentPlaceHolder1$txtCaptcha";
inline constexpr const char* kSubmitButton = "ctl00$ContentPlaceHolder1$btnConsultar";
// On the result page: the file of the invoice, for a client with a digital certificate.
inline constexpr const char* kDownloadButton = "ctl00$ContentPlaceHolder1$btnDownload";

}  // namespace portal
