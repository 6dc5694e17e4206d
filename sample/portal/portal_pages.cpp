#include "sample/portal/portal_pages.h"

#include "nfe/access_key.h"
#include "nfe/xml_escape.h"
#include "sample/portal/portal_addresses.h"
#include "text/ascii_case.h"

namespace sample {
namespace {

std::string PlainPage(std::string_view title, std::string_view content) {
    std::string page = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
<title>)";
    page += title;
    page += "</title>\n</head>\n<body>\n";
    page += content;
    page += "\n</body>\n</html>\n";
    return page;
}

// A page in the dress of the portal's ASP.NET forms: the hidden fields, the post-back
// script and one form that posts back to the page's own address.
std::string FormPage(std::string_view formAction, const FormState& state,
                     std::string_view content) {
    std::string page =
        R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html xmlns="http://www.w3.org/1999/xhtml">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
<title>Portal da Nota Fiscal Eletrônica</title>
</head>
<body>
<form name="aspnetForm" method="post" action=")";
    page += nfe::EscapeXmlText(formAction);
    page += R"(" id="aspnetForm">
<div>
<input type="hidden" name="__EVENTTARGET" id="__EVENTTARGET" value="" />
<input type="hidden" name="__EVENTARGUMENT" id="__EVENTARGUMENT" value="" />
<input type="hidden" name="__VIEWSTATE" id="__VIEWSTATE" value=")";
    page += state.viewState;
    page += R"(" />
</div>
<script type="text/javascript">
//<![CDATA[
var theForm = document.forms['aspnetForm'];
if (!theForm) {
    theForm = document.aspnetForm;
}
function __doPostBack(eventTarget, eventArgument) {
    if (!theForm.onsubmit || (theForm.onsubmit() != false)) {
        theForm.__EVENTTARGET.value = eventTarget;
        theForm.__EVENTARGUMENT.value = eventArgument;
        theForm.submit();
    }
}
//]]>
</script>
<div>
<input type="hidden" name="__VIEWSTATEGENERATOR" id="__VIEWSTATEGENERATOR" value="6B3C8D1E" />
<input type="hidden" name="__EVENTVALIDATION" id="__EVENTVALIDATION" value=")";
    page += state.eventValidation;
    page += R"(" />
</div>
<div id="conteudoDinamico">
<h1>Consulta Completa</h1>
)";
    page += content;
    page += R"(
</div>
</form>
</body>
</html>
)";
    return page;
}

std::string ConsultationLink() {
    std::string link = "<p><a href=\"";
    link += nfe::EscapeXmlText(kConsultationPage);
    link += "\">Nova consulta</a></p>";
    return link;
}

}  // namespace

std::string ConsultationPage(std::string_view formAction, std::string_view captchaDataAddress,
                             std::string_view message, const FormState& state) {
    std::string content = R"(<p>Chave de Acesso</p>
<input name="ctl00$ContentPlaceHolder1$txtChaveAcessoCompleta" type="text" maxlength="54" id="ctl00_ContentPlaceHolder1_txtChaveAcessoCompleta" class="txtChaveAcesso" />
<p>Digite os caracteres da imagem</p>
)";
    if (!captchaDataAddress.empty()) {
        content +=
            R"(<img id="ctl00_ContentPlaceHolder1_imgCaptcha" alt="Imagem de segurança" src=")";
        content += captchaDataAddress;
        content += "\"> <INPUT";
    } else {
        content += "<input";
    }
    content +=
        R"( name="ctl00$ContentPlaceHolder1$txtCaptcha" type="text" maxlength="6" id="ctl00_ContentPlaceHolder1_txtCaptcha" />
<span id="ctl00_ContentPlaceHolder1_lblMensagem" class="erro">)";
    content += nfe::EscapeXmlText(message);
    content += R"(</span>
<input type="submit" name="ctl00$ContentPlaceHolder1$btnConsultar" value="Continuar" id="ctl00_ContentPlaceHolder1_btnConsultar" />)";
    return FormPage(formAction, state, content);
}

std::string ResultPage(std::string_view formAction, const SampleInvoice& invoice,
                       const FormState& state) {
    std::string content = R"(<fieldset>
<legend>Dados da NF-e</legend>
<p>Chave de Acesso: <span id="ctl00_ContentPlaceHolder1_lblChaveAcesso">)";
    content += nfe::EscapeXmlText(nfe::GroupedKey(invoice.key));
    content += R"(</span></p>
<p>Situação Atual: <span id="ctl00_ContentPlaceHolder1_lblSituacaoAtual">)";
    content += invoice.cancelled ? "CANCELADA" : "AUTORIZADA";
    content += R"(</span></p>
<p>)";
    content += nfe::EscapeXmlText(invoice.description);
    content += R"(</p>
</fieldset>
<p><a href=")";
    content += nfe::EscapeXmlText(kPrintPage);
    content += R"(">Versão para impressão</a></p>
<input type="submit" name="ctl00$ContentPlaceHolder1$btnDownload" value="Download do documento*" onclick="return confirm('Clique em OK para iniciar o download');" id="ctl00_ContentPlaceHolder1_btnDownload" />
<p>(*) Requer Certificado Digital</p>)";
    if (invoice.cancelled) {
        content += R"(
<script type="text/javascript">
//<![CDATA[
alert('NF-e CANCELADA pelo emitente.');
//]]>
</script>)";
    }
    return FormPage(formAction, state, content);
}

std::string NotFoundPage() {
    return PlainPage("NF-e inexistente",
                     "<p>NF-e INEXISTENTE na base nacional, favor consultar esta NF-e no site da "
                     "SEFAZ de origem.</p>\n" +
                         ConsultationLink());
}

std::string MaintenancePage() {
    return PlainPage("Portal em manutenção",
                     "<h1>Portal da Nota Fiscal Eletrônica em manutenção</h1>\n"
                     "<p>O serviço estará disponível novamente em alguns minutos.</p>");
}

std::string ServerErrorPage() {
    return PlainPage("Runtime Error",
                     "<h1>Server Error in '/portal' Application.</h1>\n"
                     "<h2><i>Runtime Error</i></h2>\n"
                     "<p>An application error occurred on the server.</p>");
}

std::string UnknownAddressPage() {
    return PlainPage("The resource cannot be found.",
                     "<h1>Server Error in '/portal' Application.</h1>\n"
                     "<h2><i>The resource cannot be found.</i></h2>\n"
                     "<p>HTTP 404. The resource you are looking for has been removed, had its "
                     "name changed, or is temporarily unavailable.</p>");
}

std::string CertificateRequiredPage() {
    return PlainPage("403 - Forbidden",
                     "<h1>403 - Forbidden: Access is denied.</h1>\n"
                     "<p>Certificado digital obrigatório para o download do documento.</p>");
}

std::string WithVanishingBody(std::string page) {
    static constexpr std::string_view kScript =
        "<script type=\"text/javascript\">window.addEventListener(\"load\", function () { "
        "document.documentElement.removeChild(document.body); });</script>\n";
    const std::string lower = text::AsciiLowerCase(page);
    const auto end = lower.rfind("</body>");
    page.insert(end == std::string::npos ? page.size() : end, kScript);
    return page;
}

}  // namespace sample
