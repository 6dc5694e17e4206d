#pragma once

#include <string_view>

namespace sample {

// The addresses of the portal's full consultation (path and query, under the server's own
// origin), exactly as the desktop program compares them.
inline constexpr std::string_view kConsultationPage =
    "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=";
inline constexpr std::string_view kWrongCaptchaReturn =
    "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d";
inline constexpr std::string_view kResultPage =
    "/portal/consultaCompleta.aspx?tipoConteudo=XbSeqxE8pl8=";
inline constexpr std::string_view kResultViewer = "/portal/visualizacaoNFe/completa/Default.aspx";
inline constexpr std::string_view kPrintPage =
    "/portal/consultaImpressao.aspx?tipoConsulta=completa";
inline constexpr std::string_view kNotFoundPage = "/portal/inexistente_completa.aspx";

// Addresses of this server that the program does not know.
inline constexpr std::string_view kDownloadPath = "/portal/downloadNFe.aspx";
inline constexpr std::string_view kMaintenancePage = "/portal/manutencao.aspx";

// Names of the form elements.
inline constexpr std::string_view kKeyField = "ctl00$ContentPlaceHolder1$txtChaveAcessoCompleta";
inline constexpr std::string_view kCaptchaField = "ctl00$ContentPlaceHolder1$txtCaptcha";
inline constexpr std::string_view kSubmitButton = "ctl00$ContentPlaceHolder1$btnConsultar";
inline constexpr std::string_view kDownloadButton = "ctl00$ContentPlaceHolder1$btnDownload";

// The session cookie.
inline constexpr std::string_view kSessionCookie = "ASP.NET_SessionId";

}  // namespace sample
