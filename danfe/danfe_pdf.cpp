#include "danfe/danfe_pdf.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <mutex>
#include <vector>

#include "danfe/canvas.h"
#include "danfe/code128.h"
#include "danfe/danfe_error.h"
#include "danfe/sheet_plan.h"
#include "danfe/text_format.h"
#include "nfe/access_key.h"
#include "nfe/cnpj.h"

namespace danfe {

namespace {

// Sheet geometry, in millimetres.
constexpr double kLeft = 5;
constexpr double kWidth = 200;
constexpr double kBottom = 292;
constexpr double kRow = 7;         // a row of fields
constexpr double kSectionGap = 3;  // a block's title above its boxes
constexpr double kHeaderHeight = 34;
constexpr double kNotesHeight = 30;
constexpr double kIssqnHeight = kSectionGap + kRow;
constexpr double kTableHead = 6;
constexpr double kItemPoints = 6;
constexpr double kNotePoints = 6.5;
constexpr double kNotesWidth = 140;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void LoadFonts() {
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                 "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"}) {
            QFontDatabase::addApplicationFont(
                QStringLiteral("/usr/share/fonts/truetype/liberation/") + QLatin1String(file));
        }
    });
}

struct Column {
    double width;
    const char* title;
    int align;
};

// The products table: code, description, NCM, CST/CSOSN, CFOP, unit, quantity, unit value,
// total, ICMS base, ICMS, IPI, ICMS rate, IPI rate.
const std::vector<Column> kColumns = {
    {16, "CÓDIGO PRODUTO", Qt::AlignLeft}, {49, "DESCRIÇÃO DO PRODUTO / SERVIÇO", Qt::AlignLeft},
    {13, "NCM/SH", Qt::AlignHCenter},      {9, "CST/ CSOSN", Qt::AlignHCenter},
    {9, "CFOP", Qt::AlignHCenter},         {8, "UN", Qt::AlignHCenter},
    {14, "QUANT.", Qt::AlignRight},        {15, "VALOR UNIT.", Qt::AlignRight},
    {15, "VALOR TOTAL", Qt::AlignRight},   {14, "B.CÁLC. ICMS", Qt::AlignRight},
    {12, "VALOR ICMS", Qt::AlignRight},    {11, "VALOR IPI", Qt::AlignRight},
    {8, "ALÍQ. ICMS", Qt::AlignRight},     {7, "ALÍQ. IPI", Qt::AlignRight}};

// One row of the products table, broken into lines per column.
struct Row {
    std::vector<QStringList> cells;
    double height = 0;
};

class DanfeDrawing {
public:
    DanfeDrawing(const Invoice& invoice, const Marks& marks, QPdfWriter& writer)
        : invoice_(invoice),
          marks_(marks),
          painter_(&writer),
          canvas_(painter_, writer.resolution()) {
        if (!painter_.isActive()) {
            throw Error("O PDF do DANFE não pôde ser começado.");
        }
        writer_ = &writer;
    }

    void Draw() {
        const QFont itemFont = Canvas::Sans(kItemPoints);
        const double line = canvas_.LineHeight(itemFont);
        std::vector<double> heights;
        rows_.reserve(invoice_.items.size());
        for (const Item& item : invoice_.items) {
            rows_.push_back(MakeRow(item, itemFont, line));
            heights.push_back(rows_.back().height);
        }
        const QFont noteFont = Canvas::Sans(kNotePoints);
        notes_ = canvas_.Wrap(Q(NotesText()), noteFont, kNotesWidth - 1.2);
        noteLine_ = canvas_.LineHeight(noteFont);

        SheetSpace space;
        space.firstTable = FirstTableBottom() - FirstTableTop() - kTableHead;
        space.otherTable = kBottom - OtherTableTop() - kTableHead;
        space.firstNoteLines = static_cast<std::size_t>((kNotesHeight - 3) / noteLine_);
        space.noteOverhead = kSectionGap + 3.5;
        space.noteLine = noteLine_;
        const std::vector<SheetContent> sheets = PlanSheets(heights, notes_.size(), space);

        for (std::size_t n = 0; n < sheets.size(); ++n) {
            if (n > 0 && !writer_->newPage()) {
                throw Error("O PDF do DANFE não pôde ser continuado.");
            }
            DrawSheet(sheets[n], static_cast<int>(n + 1), static_cast<int>(sheets.size()));
        }
        painter_.end();
    }

private:
    double FirstTableTop() const {
        double y = 25 + kHeaderHeight + 2 * kRow;  // canhoto, header, nature and registrations
        y += kSectionGap + 3 * kRow;               // recipient
        y += BillingHeight();
        y += kSectionGap + 2 * kRow;  // taxes
        y += kSectionGap + 3 * kRow;  // transport
        return y + kSectionGap;
    }
    double FirstTableBottom() const {
        return kBottom - kSectionGap - kNotesHeight - (HasIssqn() ? kIssqnHeight : 0) - 1;
    }
    static double OtherTableTop() { return 5 + kHeaderHeight + 2 * kRow + kSectionGap; }

    bool HasIssqn() const {
        const Totals& t = invoice_.totals;
        return !t.serviceValue.empty() || !t.issqn.empty();
    }
    std::size_t InstalmentRows() const { return (invoice_.instalments.size() + 7) / 8; }
    double BillingHeight() const {
        const bool bill = !invoice_.billNumber.empty();
        if (!bill && invoice_.instalments.empty()) {
            return 0;
        }
        return kSectionGap + (bill ? 5 : 0) + InstalmentRows() * 9.0;
    }

    std::string NotesText() const {
        std::string text;
        if (!invoice_.fiscoNotes.empty()) {
            text += "Inf. fisco: " + invoice_.fiscoNotes;
        }
        if (!invoice_.taxpayerNotes.empty()) {
            text += (text.empty() ? "" : "\n") + std::string("Inf. contribuinte: ") +
                    invoice_.taxpayerNotes;
        }
        return text;
    }

    Row MakeRow(const Item& item, const QFont& font, double line) const {
        std::string description = item.description;
        if (!item.notes.empty()) {
            description += "\n" + item.notes;
        }
        const std::string texts[] = {item.code,
                                     description,
                                     item.ncm,
                                     item.cst,
                                     item.cfop,
                                     item.unit,
                                     Decimal(item.quantity, 2),
                                     Decimal(item.unitValue, 2),
                                     Money(item.total),
                                     Money(item.icmsBase),
                                     Money(item.icmsValue),
                                     Money(item.ipiValue),
                                     Decimal(item.icmsRate, 2),
                                     Decimal(item.ipiRate, 2)};
        Row row;
        qsizetype lines = 1;
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            const QString text = Q(texts[c]);
            // Only code and description may take several lines; the numbers fit their
            // columns at 6 pt or are cut at the edge.
            row.cells.push_back(c < 2 ? canvas_.Wrap(text, font, kColumns[c].width - 1)
                                      : QStringList{text});
            lines = std::max(lines, row.cells.back().size());
        }
        row.height = static_cast<double>(lines) * line + 0.8;
        return row;
    }

    void DrawSheet(const SheetContent& sheet, int number, int count) {
        double y = 5;
        if (number == 1) {
            DrawStub();
            y = 25;
        }
        DrawHeader(y, number, count);
        y += kHeaderHeight;
        DrawNatureAndRegistrations(y);
        y += 2 * kRow;
        if (number == 1) {
            y = DrawRecipient(y);
            y = DrawBilling(y);
            y = DrawTaxes(y);
            y = DrawTransport(y);
        }
        const double tableBottom = DrawTable(y, sheet, number == 1);
        if (number == 1) {
            double bottom = kBottom - kSectionGap - kNotesHeight;
            if (HasIssqn()) {
                DrawIssqn(bottom - kIssqnHeight);
            }
            DrawNotes(bottom, kBottom - bottom - kSectionGap, sheet, false);
        } else if (sheet.noteEnd > sheet.noteBegin) {
            const double top = sheet.rowEnd > sheet.rowBegin ? tableBottom + 1 : y;
            DrawNotes(top, kBottom - top - kSectionGap, sheet, true);
        }
        // Over the products table, where the sheet has the most room, clear of the values
        // of the blocks above it.
        if (invoice_.homologation()) {
            canvas_.Stamp(QStringLiteral("SEM VALOR FISCAL"), 185, QColor(0, 0, 0, 50));
        }
        if (marks_.cancelled) {
            canvas_.Stamp(QStringLiteral("CANCELADA"), 225, QColor(200, 0, 0, 80));
        }
    }

    void DrawStub() {
        const Party& to = invoice_.recipient;
        const std::string text =
            "RECEBEMOS DE " + invoice_.issuer.name +
            " OS PRODUTOS E/OU SERVIÇOS CONSTANTES DA NOTA FISCAL ELETRÔNICA INDICADA AO LADO. "
            "EMISSÃO: " +
            DatePart(invoice_.issued) + " VALOR TOTAL: R$ " + Money(invoice_.totals.invoice) +
            " DESTINATÁRIO: " + to.name + " - " + to.address.street + ", " + to.address.number +
            " " + to.address.district + " " + to.address.city + "-" + to.address.state;
        canvas_.Box(kLeft, 5, 160, 8);
        const QFont font = Canvas::Sans(6);
        const QStringList lines = canvas_.Wrap(Q(text), font, 158);
        for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 3); ++i) {
            canvas_.Text(kLeft + 1, 5.3 + static_cast<double>(i) * 2.5, 158, 2.5, lines[i], font,
                         Qt::AlignLeft | Qt::AlignVCenter);
        }
        canvas_.Field(kLeft, 13, 40, 8, QStringLiteral("DATA DE RECEBIMENTO"), {});
        canvas_.Field(kLeft + 40, 13, 120, 8,
                      QStringLiteral("IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR"), {});
        canvas_.Box(kLeft + 160, 5, 40, 16);
        canvas_.Text(kLeft + 160, 5.5, 40, 5, QStringLiteral("NF-e"), Canvas::Sans(12, true),
                     Qt::AlignCenter);
        canvas_.Text(kLeft + 160, 10.5, 40, 5, Q("Nº " + InvoiceNumber(invoice_.number)),
                     Canvas::Sans(10, true), Qt::AlignCenter);
        canvas_.Text(kLeft + 160, 15, 40, 5, Q("SÉRIE " + Series(invoice_.series)),
                     Canvas::Sans(10, true), Qt::AlignCenter);
        QPen dashed(Qt::black, 0.2 * writer_->resolution() / 25.4, Qt::DashLine);
        painter_.setPen(dashed);
        const double k = writer_->resolution() / 25.4;
        painter_.drawLine(QPointF(kLeft * k, 23 * k), QPointF((kLeft + kWidth) * k, 23 * k));
    }

    void DrawHeader(double y, int number, int count) {
        // The issuer.
        const Party& from = invoice_.issuer;
        canvas_.Field(kLeft, y, 80, kHeaderHeight, QStringLiteral("IDENTIFICAÇÃO DO EMITENTE"), {});
        const QFont nameFont = Canvas::Serif(10, true);
        double lineY = y + 3.5;
        for (const QString& line : canvas_.Wrap(Q(from.name), nameFont, 76).mid(0, 3)) {
            canvas_.Text(kLeft + 2, lineY, 76, 4.2, line, nameFont, Qt::AlignHCenter);
            lineY += 4.2;
        }
        const Address& a = from.address;
        const std::string complement = a.complement.empty() ? "" : " " + a.complement;
        const std::string addressLines[] = {
            a.street + ", " + a.number + complement,
            a.district + " - CEP " + PostalCode(a.postalCode),
            a.city + " - " + a.state + (a.phone.empty() ? "" : " - Fone: " + a.phone)};
        const QFont addressFont = Canvas::Sans(7);
        lineY = std::max(lineY + 1, y + 17.0);
        for (const std::string& text : addressLines) {
            for (const QString& line : canvas_.Wrap(Q(text), addressFont, 76).mid(0, 2)) {
                canvas_.Text(kLeft + 2, lineY, 76, 3, line, addressFont, Qt::AlignHCenter);
                lineY += 3;
            }
        }

        // DANFE, entry or exit, number, series, sheet.
        const double x = kLeft + 80;
        canvas_.Box(x, y, 35, kHeaderHeight);
        canvas_.Text(x, y + 0.8, 35, 5.5, QStringLiteral("DANFE"), Canvas::Sans(14, true),
                     Qt::AlignCenter);
        canvas_.Text(x, y + 6, 35, 2.6, QStringLiteral("DOCUMENTO AUXILIAR DA"), Canvas::Sans(6),
                     Qt::AlignCenter);
        canvas_.Text(x, y + 8.4, 35, 2.6, QStringLiteral("NOTA FISCAL ELETRÔNICA"), Canvas::Sans(6),
                     Qt::AlignCenter);
        canvas_.Text(x + 3, y + 11.5, 20, 2.6, QStringLiteral("0 - ENTRADA"), Canvas::Sans(6.5),
                     Qt::AlignLeft);
        canvas_.Text(x + 3, y + 14.2, 20, 2.6, QStringLiteral("1 - SAÍDA"), Canvas::Sans(6.5),
                     Qt::AlignLeft);
        canvas_.Box(x + 25, y + 11.5, 6, 5.5);
        canvas_.Text(x + 25, y + 11.5, 6, 5.5, Q(invoice_.operationKind), Canvas::Sans(11, true),
                     Qt::AlignCenter);
        const QFont big = Canvas::Sans(10, true);
        canvas_.Text(x, y + 18, 35, 4.5, Q("Nº " + InvoiceNumber(invoice_.number)), big,
                     Qt::AlignCenter);
        canvas_.Text(x, y + 22.5, 35, 4.5, Q("SÉRIE " + Series(invoice_.series)), big,
                     Qt::AlignCenter);
        canvas_.Text(x, y + 27.5, 35, 4.5, QStringLiteral("FOLHA %1/%2").arg(number).arg(count),
                     big, Qt::AlignCenter);

        // The key: bar code, groups of four, where to consult it.
        const double right = kLeft + 115;
        canvas_.Box(right, y, 85, 13);
        DrawBarcode(right + 4, y + 1.5, 77, 10);
        canvas_.Field(right, y + 13, 85, 8, QStringLiteral("CHAVE DE ACESSO"),
                      Q(nfe::GroupedKey(invoice_.key)), Qt::AlignHCenter, 8, true);
        canvas_.Box(right, y + 21, 85, kHeaderHeight - 21);
        const QFont consult = Canvas::Sans(7.5);
        lineY = y + 23.5;
        for (const QString& line :
             canvas_.Wrap(QStringLiteral("Consulta de autenticidade no portal nacional da NF-e "
                                         "www.nfe.fazenda.gov.br/portal ou no site da Sefaz "
                                         "Autorizadora"),
                          consult, 80)) {
            canvas_.Text(right + 2, lineY, 81, 3.2, line, consult, Qt::AlignHCenter);
            lineY += 3.2;
        }
    }

    void DrawBarcode(double x, double y, double w, double h) {
        const std::string widths = Code128Widths(Code128Symbols(invoice_.key));
        int modules = 0;
        for (char c : widths) {
            modules += c - '0';
        }
        const double module = w / modules;
        double at = x;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const double width = (widths[i] - '0') * module;
            if (i % 2 == 0) {
                canvas_.Fill(at, y, width, h);
            }
            at += width;
        }
    }

    void DrawNatureAndRegistrations(double y) {
        canvas_.Field(kLeft, y, 115, kRow, QStringLiteral("NATUREZA DA OPERAÇÃO"),
                      Q(invoice_.nature));
        const std::string protocol = invoice_.protocol + " - " + DatePart(invoice_.authorised) +
                                     " " + TimePart(invoice_.authorised);
        canvas_.Field(kLeft + 115, y, 85, kRow, QStringLiteral("PROTOCOLO DE AUTORIZAÇÃO DE USO"),
                      Q(protocol), Qt::AlignHCenter);
        y += kRow;
        const Party& from = invoice_.issuer;
        canvas_.Field(kLeft, y, 67, kRow, QStringLiteral("INSCRIÇÃO ESTADUAL"),
                      Q(from.stateRegistration));
        canvas_.Field(kLeft + 67, y, 67, kRow,
                      QStringLiteral("INSCRIÇÃO ESTADUAL DO SUBST. TRIBUT."),
                      Q(from.substituteStateRegistration));
        canvas_.Field(kLeft + 134, y, 66, kRow, QStringLiteral("CNPJ"),
                      Q(nfe::FormattedCnpjCpf(from.cnpj.empty() ? from.cpf : from.cnpj)));
    }

    // Fields side by side filling the width: title, value, width (0: share what is left).
    struct Cell {
        const char* title;
        std::string value;
        double width = 0;
        int align = Qt::AlignLeft;
    };
    void DrawCells(double y, const std::vector<Cell>& cells) {
        double fixed = 0;
        int shared = 0;
        for (const Cell& cell : cells) {
            fixed += cell.width;
            shared += cell.width == 0 ? 1 : 0;
        }
        double x = kLeft;
        for (const Cell& cell : cells) {
            const double w = cell.width > 0 ? cell.width : (kWidth - fixed) / shared;
            canvas_.Field(x, y, w, kRow, QString::fromUtf8(cell.title), Q(cell.value), cell.align);
            x += w;
        }
    }

    double DrawRecipient(double y) {
        canvas_.Section(kLeft, y, QStringLiteral("DESTINATÁRIO / REMETENTE"));
        y += kSectionGap;
        const Party& to = invoice_.recipient;
        const Address& a = to.address;
        const std::string movementTime =
            invoice_.movementTime.empty() ? TimePart(invoice_.movement) : invoice_.movementTime;
        DrawCells(y, {{"NOME / RAZÃO SOCIAL", to.name, 120},
                      {"CNPJ / CPF", nfe::FormattedCnpjCpf(to.cnpj.empty() ? to.cpf : to.cnpj), 45},
                      {"DATA DA EMISSÃO", DatePart(invoice_.issued), 35, Qt::AlignHCenter}});
        y += kRow;
        const std::string complement = a.complement.empty() ? "" : " " + a.complement;
        DrawCells(
            y, {{"ENDEREÇO", a.street + (a.number.empty() ? "" : ", " + a.number) + complement, 95},
                {"BAIRRO / DISTRITO", a.district, 45},
                {"CEP", PostalCode(a.postalCode), 25, Qt::AlignHCenter},
                {"DATA DA SAÍDA/ENTRADA", DatePart(invoice_.movement), 35, Qt::AlignHCenter}});
        y += kRow;
        DrawCells(y, {{"MUNICÍPIO", a.city, 70},
                      {"FONE / FAX", a.phone, 35},
                      {"UF", a.state, 10, Qt::AlignHCenter},
                      {"INSCRIÇÃO ESTADUAL", to.stateRegistration, 50},
                      {"HORA DA SAÍDA/ENTRADA", movementTime, 35, Qt::AlignHCenter}});
        return y + kRow;
    }

    double DrawBilling(double y) {
        if (BillingHeight() == 0) {
            return y;
        }
        canvas_.Section(kLeft, y, QStringLiteral("FATURA / DUPLICATAS"));
        y += kSectionGap;
        const QFont font = Canvas::Sans(6.5);
        if (!invoice_.billNumber.empty()) {
            canvas_.Box(kLeft, y, kWidth, 5);
            const std::string bill = "Fatura: " + invoice_.billNumber + "   Valor original: R$ " +
                                     Money(invoice_.billOriginal) + "   Desconto: R$ " +
                                     Money(invoice_.billDiscount) + "   Valor líquido: R$ " +
                                     Money(invoice_.billNet);
            canvas_.Text(kLeft + 1, y, kWidth - 2, 5, Q(bill), font,
                         Qt::AlignLeft | Qt::AlignVCenter);
            y += 5;
        }
        constexpr double cellWidth = kWidth / 8;
        for (std::size_t i = 0; i < invoice_.instalments.size(); ++i) {
            const Instalment& dup = invoice_.instalments[i];
            const double x = kLeft + static_cast<double>(i % 8) * cellWidth;
            const double top = y + static_cast<double>(i / 8) * 9;
            canvas_.Box(x, top, cellWidth, 9);
            const std::string lines[] = {"Num.: " + dup.number, "Venc.: " + DatePart(dup.due),
                                         "Valor: R$ " + Money(dup.value)};
            for (int l = 0; l < 3; ++l) {
                canvas_.Text(x + 0.8, top + 0.5 + l * 2.7, cellWidth - 1.6, 2.7, Q(lines[l]), font,
                             Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
        return y + static_cast<double>(InstalmentRows()) * 9;
    }

    double DrawTaxes(double y) {
        canvas_.Section(kLeft, y, QStringLiteral("CÁLCULO DO IMPOSTO"));
        y += kSectionGap;
        const Totals& t = invoice_.totals;
        const int right = Qt::AlignRight;
        std::vector<Cell> first = {{"BASE DE CÁLC. DO ICMS", Money(t.icmsBase), 0, right},
                                   {"VALOR DO ICMS", Money(t.icms), 0, right},
                                   {"BASE DE CÁLC. ICMS S.T.", Money(t.stBase), 0, right},
                                   {"VALOR DO ICMS SUBST.", Money(t.st), 0, right}};
        if (invoice_.layout == "4.00") {
            first.push_back({"VALOR DO FCP", Money(t.fcp), 0, right});
            first.push_back({"VALOR DO FCP SUBST.", Money(t.fcpSt), 0, right});
        }
        first.push_back({"V. IMP. IMPORTAÇÃO", Money(t.importTax), 0, right});
        first.push_back({"V. TOTAL PRODUTOS", Money(t.products), 0, right});
        DrawCells(y, first);
        y += kRow;
        DrawCells(y, {{"VALOR DO FRETE", Money(t.freight), 0, right},
                      {"VALOR DO SEGURO", Money(t.insurance), 0, right},
                      {"DESCONTO", Money(t.discount), 0, right},
                      {"OUTRAS DESPESAS", Money(t.other), 0, right},
                      {"VALOR TOTAL DO IPI", Money(t.ipi), 0, right},
                      {"V. APROX. TRIBUTOS", Money(t.approximateTaxes), 0, right},
                      {"VALOR TOTAL DA NOTA", Money(t.invoice), 0, right}});
        return y + kRow;
    }

    double DrawTransport(double y) {
        canvas_.Section(kLeft, y, QStringLiteral("TRANSPORTADOR / VOLUMES TRANSPORTADOS"));
        y += kSectionGap;
        const Transport& t = invoice_.transport;
        DrawCells(y, {{"NOME / RAZÃO SOCIAL", t.carrierName, 62},
                      {"FRETE POR CONTA", FreightMode(t.freightMode, invoice_.layout), 30},
                      {"CÓDIGO ANTT", t.vehicleAntt, 22},
                      {"PLACA DO VEÍCULO", t.vehiclePlate, 22},
                      {"UF", t.vehicleState, 10, Qt::AlignHCenter},
                      {"CNPJ / CPF", nfe::FormattedCnpjCpf(t.carrierDocument), 54}});
        y += kRow;
        DrawCells(y, {{"ENDEREÇO", t.carrierAddress, 92},
                      {"MUNICÍPIO", t.carrierCity, 44},
                      {"UF", t.carrierState, 10, Qt::AlignHCenter},
                      {"INSCRIÇÃO ESTADUAL", t.carrierStateRegistration, 54}});
        y += kRow;
        DrawCells(y, {{"QUANTIDADE", t.volumes, 25, Qt::AlignRight},
                      {"ESPÉCIE", t.kind, 35},
                      {"MARCA", t.brand, 35},
                      {"NUMERAÇÃO", t.numbering, 35},
                      {"PESO BRUTO", Decimal(t.grossWeight, 3), 35, Qt::AlignRight},
                      {"PESO LÍQUIDO", Decimal(t.netWeight, 3), 35, Qt::AlignRight}});
        return y + kRow;
    }

    // The table's title, head and rows; returns where its box ends.
    double DrawTable(double y, const SheetContent& sheet, bool first) {
        if (sheet.rowEnd == sheet.rowBegin && !first) {
            return y;
        }
        canvas_.Section(kLeft, y, QStringLiteral("DADOS DOS PRODUTOS / SERVIÇOS"));
        y += kSectionGap;
        const double top = y;
        const QFont titleFont = Canvas::Sans(5, true);
        double x = kLeft;
        for (const Column& column : kColumns) {
            const QStringList lines =
                canvas_.Wrap(QString::fromUtf8(column.title), titleFont, column.width - 0.6);
            for (qsizetype l = 0; l < std::min<qsizetype>(lines.size(), 3); ++l) {
                canvas_.Text(x + 0.3, y + 0.3 + static_cast<double>(l) * 1.9, column.width - 0.6,
                             1.9, lines[l], titleFont, Qt::AlignHCenter | Qt::AlignVCenter);
            }
            x += column.width;
        }
        y += kTableHead;
        canvas_.Line(kLeft, y, kLeft + kWidth, y, 0.2);
        const QFont font = Canvas::Sans(kItemPoints);
        const double line = canvas_.LineHeight(font);
        for (std::size_t r = sheet.rowBegin; r < sheet.rowEnd; ++r) {
            const Row& row = rows_[r];
            x = kLeft;
            for (std::size_t c = 0; c < kColumns.size(); ++c) {
                double lineY = y + 0.4;
                for (const QString& text : row.cells[c]) {
                    canvas_.Text(x + 0.5, lineY, kColumns[c].width - 1, line, text, font,
                                 kColumns[c].align | Qt::AlignVCenter);
                    lineY += line;
                }
                x += kColumns[c].width;
            }
            y += row.height;
            if (r + 1 < sheet.rowEnd) {
                canvas_.Line(kLeft, y, kLeft + kWidth, y, 0.05);
            }
        }
        // The first sheet's table reaches down to the blocks below it.
        const double bottom = first ? FirstTableBottom() : y;
        canvas_.Box(kLeft, top, kWidth, bottom - top);
        x = kLeft;
        for (std::size_t c = 0; c + 1 < kColumns.size(); ++c) {
            x += kColumns[c].width;
            canvas_.Line(x, top, x, bottom, 0.15);
        }
        return bottom;
    }

    void DrawIssqn(double y) {
        canvas_.Section(kLeft, y, QStringLiteral("CÁLCULO DO ISSQN"));
        y += kSectionGap;
        const Totals& t = invoice_.totals;
        DrawCells(y, {{"INSCRIÇÃO MUNICIPAL", invoice_.issuer.municipalRegistration},
                      {"VALOR TOTAL DOS SERVIÇOS", Money(t.serviceValue), 0, Qt::AlignRight},
                      {"BASE DE CÁLCULO DO ISSQN", Money(t.issqnBase), 0, Qt::AlignRight},
                      {"VALOR DO ISSQN", Money(t.issqn), 0, Qt::AlignRight}});
    }

    void DrawNotes(double y, double height, const SheetContent& sheet, bool continued) {
        canvas_.Section(kLeft, y,
                        continued ? QStringLiteral("DADOS ADICIONAIS (CONTINUAÇÃO)")
                                  : QStringLiteral("DADOS ADICIONAIS"));
        y += kSectionGap;
        if (continued) {
            height = 3 + static_cast<double>(sheet.noteEnd - sheet.noteBegin) * noteLine_ + 0.5;
        }
        canvas_.Field(kLeft, y, kNotesWidth, height, QStringLiteral("INFORMAÇÕES COMPLEMENTARES"),
                      {});
        if (!continued) {
            canvas_.Field(kLeft + kNotesWidth, y, kWidth - kNotesWidth, height,
                          QStringLiteral("RESERVADO AO FISCO"), {});
        }
        const QFont font = Canvas::Sans(kNotePoints);
        double lineY = y + 2.8;
        for (std::size_t l = sheet.noteBegin; l < sheet.noteEnd; ++l) {
            canvas_.Text(kLeft + 0.6, lineY, kNotesWidth - 1.2, noteLine_,
                         notes_[static_cast<qsizetype>(l)], font, Qt::AlignLeft | Qt::AlignVCenter);
            lineY += noteLine_;
        }
    }

    const Invoice& invoice_;
    const Marks& marks_;
    QPainter painter_;
    Canvas canvas_;
    QPdfWriter* writer_ = nullptr;
    std::vector<Row> rows_;
    QStringList notes_;
    double noteLine_ = 3;
};

}  // namespace

std::string DanfePdf(const Invoice& invoice, const Marks& marks) {
    LoadFonts();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("DANFE ") + Q(invoice.key));
        writer.setCreator(QStringLiteral("Vellora"));
        DanfeDrawing(invoice, marks, writer).Draw();
    }
    return buffer.data().toStdString();
}

}  // namespace danfe
