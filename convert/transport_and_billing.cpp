#include "convert/transport_and_billing.h"

#include <cstdint>
#include <string>

#include "convert/copy.h"
#include "convert/date_reading.h"
#include "convert/field_rules.h"
#include "convert/page_number.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"
#include "text/ascii_case.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace convert {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The text from the 1-based position on (Copy with no end).
std::string_view From(std::string_view text, std::int64_t position) {
    return Copy(text, position, std::int64_t(text.size()));
}

std::int64_t Position(std::size_t found) {
    return found == npos ? 0 : std::int64_t(found) + 1;
}

// The rows of the instalment table as cells, read one after the other.
class Cells {
public:
    explicit Cells(std::string_view text) : text_(text) {}

    std::size_t Remaining() const { return text_.size(); }

    // The text in front of the first separator; empty when there is none.
    std::string_view Current() const {
        const std::size_t separator = text_.find(kLineSeparator);
        return separator == npos ? std::string_view() : text_.substr(0, separator);
    }

    // Drops the current cell and its separator; without a separator, the first two
    // characters, so that every step shortens the text.
    void Advance() { text_ = From(text_, Position(text_.find(kLineSeparator)) + 3); }

    std::string_view Take() {
        const std::string_view cell = Current();
        Advance();
        return cell;
    }

private:
    std::string_view text_;
};

void ReadVolume(std::string_view block, nfe::TVolCollectionItem& volume) {
    volume.qVol = IntegerField(block, "Quantidade", 0);
    volume.esp = TextField(block, "Espécie"_w1252);
    volume.marca = TextField(block, "Marca dos Volumes");
    volume.nVol = TextField(block, "Numeração"_w1252);
    volume.pesoL = MoneyField(block, "Peso Líquido"_w1252);
    volume.pesoB = MoneyField(block, "Peso Bruto");
}

}  // namespace

void ReadTransport(std::string_view block, nfe::TTransp& transport,
                   const std::function<void()>& processPendingEvents) {
    transport.modFrete = CodeField<nfe::TkroModalidadeFrete>(block, "Modalidade do Frete", 1);
    nfe::TTransporta& carrier = transport.Transporta;
    carrier.CNPJCPF = CnpjCpfField(block, "CNPJ");
    carrier.xNome = TextField(block, "Razão Social / Nome"_w1252);
    carrier.IE = TextField(block, "Inscrição Estadual"_w1252);
    carrier.xEnder = TextField(block, "Endereço Completo"_w1252);
    carrier.xMun = TextField(block, "Município"_w1252);
    carrier.UF = TextField(block, "UF");
    transport.veicTransp.placa = TextField(block, "Placa");
    transport.veicTransp.UF = carrier.UF;
    transport.veicTransp.RNTC = DigitsField(block, "RNTC");

    if (text::FindIgnoringCase(block, "VOLUMES") != npos) {
        processPendingEvents();
        ReadVolume(block, transport.Vol.Add());
    }
}

void ReadBilling(std::string_view block, nfe::TCobr& billing) {
    if (text::Trim(block).empty()) {
        return;
    }
    billing.Fat.nFat = TextField(block, "Número"_w1252);
    billing.Fat.vOrig = MoneyField(block, "Valor Original");
    billing.Fat.vDesc = MoneyField(block, "Valor Desconto");
    billing.Fat.vLiq = MoneyField(block, "Valor Líquido"_w1252);

    constexpr std::string_view kInstalments = "DUPLICATAS";
    const std::size_t table = text::FindIgnoringCase(block, kInstalments);
    if (table == npos) {
        return;
    }
    // Past the word and one separator, then past the header row's last cell "Valor " and
    // its separator.
    const std::string_view header = From(block, Position(table) + 13);
    ReadInstalments(From(header, Position(text::FindIgnoringCase(header, "VALOR")) + 9),
                    billing.Dup);
}

void ReadInstalments(std::string_view rows, nfe::TDupCollection& instalments) {
    Cells cells(rows);
    const bool dateFirst = IsPageDate(cells.Current());
    while (cells.Remaining() > 4) {
        if (cells.Current().find("else") != npos) {
            break;
        }
        nfe::TDupCollectionItem& instalment = instalments.Add();
        if (!dateFirst) {
            instalment.nDup = text::Windows1252ToUtf8(cells.Take());
        }
        instalment.dVenc = DateOrDefault(cells.Take());
        instalment.vDup = PageCurrency(cells.Take());
    }
}

}  // namespace convert
