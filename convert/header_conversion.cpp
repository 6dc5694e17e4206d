#include "convert/header_conversion.h"

#include <charconv>

#include "convert/convert_page_text.h"
#include "convert/copy.h"
#include "convert/date_reading.h"
#include "convert/field_rules.h"
#include "convert/integer_reading.h"
#include "convert/w1252_literal.h"
#include "nfe/access_key.h"
#include "nfe/conversion_error.h"
#include "text/character_filters.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace convert {
namespace {

// Readings that must succeed name the field they were for.
template <class Read>
auto Required(std::string_view field, Read read) {
    try {
        return read();
    } catch (const nfe::ConversionError& error) {
        throw nfe::ConversionError(std::string(field) + ": " + error.what());
    }
}

}  // namespace

constexpr double kNewestWrittenLayout = 3.1;

const std::string kOldLayoutMessage =
    "Nota emitida em uma versão antiga. XML versão 1.10\r\nNão é possivel importa a NFe";

double LayoutVersion(std::string_view text) {
    constexpr double kDefault = 3.1;
    std::string number(text::Trim(text));
    // The portal writes the version with a decimal point ("2.00", "3.10"). Reading it with
    // the regional decimal comma alone would make every layout 2.00 invoice a 3.10 document,
    // so either mark is taken as the decimal separator.
    if (number.empty() || number.find_first_not_of("+-0123456789,.eE") != std::string::npos ||
        number.find_first_of(",.") != number.find_last_of(",.")) {
        return kDefault;
    }
    if (number.front() == '+') {
        number.erase(0, 1);
    }
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return error == std::errc() && end == number.data() + number.size() ? value : kDefault;
}

void ReadPageTop(std::string_view section, nfe::TNFe& nfe,
                 const std::function<void(const std::string&)>& showMessage,
                 const std::function<void(const std::string&)>& showNotice) {
    nfe.infNFe.ID = KeyField(section, "Chave de acesso");
    nfe.procNFe.chNFe = KeyField(section, "Chave de acesso");
    nfe.Ide.nNF = IntegerOrDefault(Copy(nfe.procNFe.chNFe, 26, 9), 0);

    const std::string version = FieldAfterLabel(section, "Versão"_w1252);
    nfe.infNFe.SetVersao(LayoutVersion(version));
    if (version == "1.10") {
        showMessage(kOldLayoutMessage);
        throw OldLayoutAborted("Nota emitida em uma versão antiga. XML versão 1.10");
    }
    // The writer knows the layouts up to 3.10, and a file that claimed a newer one would hold
    // the groups of 3.10 all the same, which an importer that validates it rejects. So a page
    // of a newer layout (every invoice since 2019 shows "4.00") is written whole in 3.10.
    if (nfe.infNFe.Versao() > kNewestWrittenLayout) {
        nfe.infNFe.SetVersao(kNewestWrittenLayout);
        showNotice("Nota na versão " + text::Windows1252ToUtf8(text::Trim(version)) +
                   ": XML gerado no leiaute 3.10.");
    }
    nfe.Ide.cNF = nfe::KeyNumericCode(nfe.infNFe.ID, nfe.infNFe.Versao());
}

void ReadInvoiceData(std::string_view section, nfe::TNFe& nfe) {
    const std::string emission = FieldAfterLabel(section, "Data de emissão"_w1252);
    nfe.Ide.dEmi = emission.empty()
                       ? 0
                       : Required("Data de emissão", [&] { return DateTimeOrFail(emission); });

    nfe::TDateTime exit =
        DateTimeOrDefault(FieldAfterLabel(section, "Data/Hora de Saída ou da Entrada "_w1252));
    if (!(exit > 0)) {
        exit = DateTimeOrDefault(FieldAfterLabel(section, "Data Saída/Entrada "_w1252));
    }
    if (exit > 0) {
        nfe.Ide.dSaiEnt = exit;
        nfe.Ide.hSaiEnt = exit;
    }

    // The totals block reads the invoice total again later; this one stands when it has none.
    nfe::Currency& total = nfe.Total.ICMSTot.vNF;
    total = MoneyField(section, "ValorTotaldaNotaFiscal");
    if (!(total > nfe::Currency())) {
        total = MoneyField(section, "Valor Total da Nota Fiscal");
    }

    const std::string_view key = nfe.infNFe.ID;
    nfe.Ide.modelo =
        Required("Modelo na chave de acesso", [&] { return IntegerOrFail(Copy(key, 21, 2)); });
    nfe.Ide.serie =
        Required("Série na chave de acesso", [&] { return IntegerOrFail(Copy(key, 23, 3)); });
}

void ReadEmissionAndStatus(std::string_view section, nfe::TNFe& nfe) {
    nfe::TIde& ide = nfe.Ide;
    ide.procEmi = CodeField<nfe::TkroProcessoEmissao>(section, "Processo", 2);
    ide.verProc = TextField(section, "Versão do Processo"_w1252);
    ide.tpEmis = CodeField<nfe::TkroTipoEmissao>(section, "Tipo de Emissão"_w1252, 2);
    ide.finNFe = CodeField<nfe::TkroFinalidadeNFe>(section, "Finalidade", 2);
    ide.natOp = TextField(section, "Natureza da Operação"_w1252);
    // The direction is one digit; a page that puts a blank in front of it needs two.
    std::string direction = FieldAfterLabel(section, "Tipo da Operação"_w1252, 1);
    if (direction.empty()) {
        direction = FieldAfterLabel(section, "Tipo da Operação"_w1252, 2);
    }
    ide.tpNF = nfe::TextToEnum<nfe::TkroTipoNFe>(direction);
    ide.indPag = CodeField<nfe::TkroIndicadorPagamento>(section, "Forma de Pagamento", 2);

    nfe::TProcNFe& protocol = nfe.procNFe;
    protocol.digVal = TextField(section, "Digest Value da NF-e");
    // The status word, cut to its first four letters; the portal writes it in capitals on
    // some pages, under a heading in capitals too.
    std::string status(Copy(FieldAfterLabel(section, "Situação Atual: "_w1252), 1, 4));
    if (status.empty()) {
        status = Copy(FieldAfterLabel(section, "SITUAÇÃO ATUAL: "_w1252), 1, 4);
    }
    if (status == "Auto" || status == "AUTO") {
        protocol.cStat = 100;
        protocol.xMotivo = "Autorizado o uso da NF-e";
    } else if (status == "Canc" || status == "CANC") {
        protocol.cStat = 101;
        protocol.xMotivo = "Cancelado o uso da NF-e";
    } else {
        protocol.xMotivo = text::Windows1252ToUtf8(status);
    }
}

}  // namespace convert
