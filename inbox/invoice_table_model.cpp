#include "inbox/invoice_table_model.h"

#include <QBrush>
#include <QFont>

#include "catalog/document_facts.h"
#include "catalog/invoice_csv.h"
#include "inbox/status_line.h"

namespace inbox {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Cell(const catalog::ListedInvoice& invoice, Column column) {
    switch (column) {
        case Column::issued:
            return Text(catalog::DayText(invoice.issued));
        case Column::issuer:
            return Text(invoice.issuerName);
        case Column::issuerNumber:
            return Text(catalog::PartyText(invoice.issuer));
        case Column::number:
            return Text(catalog::KeyNumber(invoice.key) + "/" + catalog::KeySeries(invoice.key));
        case Column::value:
            return Text(Reais(invoice.valueCents));
        case Column::situation:
            return Text(std::string(catalog::SituationName(invoice.situation)));
        case Column::manifestation:
            return Text(invoice.manifestation);
        case Column::content:
            return invoice.full ? QStringLiteral("NF-e completa")
                                : QStringLiteral("só resumo: falta a Ciência");
        case Column::count:
            break;
    }
    return {};
}

QString Title(Column column) {
    switch (column) {
        case Column::issued:
            return QStringLiteral("Emissão");
        case Column::issuer:
            return QStringLiteral("Emitente");
        case Column::issuerNumber:
            return QStringLiteral("CNPJ/CPF");
        case Column::number:
            return QStringLiteral("Número/série");
        case Column::value:
            return QStringLiteral("Valor");
        case Column::situation:
            return QStringLiteral("Situação");
        case Column::manifestation:
            return QStringLiteral("Manifestação");
        case Column::content:
            return QStringLiteral("Arquivo");
        case Column::count:
            break;
    }
    return {};
}

}  // namespace

void InvoiceTableModel::SetInvoices(std::vector<catalog::ListedInvoice> invoices) {
    loaded_ = std::move(invoices);
    Refresh();
}

void InvoiceTableModel::SetFilter(InvoiceFilter filter) {
    filter_ = std::move(filter);
    Refresh();
}

const catalog::ListedInvoice& InvoiceTableModel::At(int row) const {
    return shown_.at(static_cast<std::size_t>(row));
}

int InvoiceTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int InvoiceTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Column::count);
}

QVariant InvoiceTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const catalog::ListedInvoice& invoice = At(index.row());
    const auto column = static_cast<Column>(index.column());
    const bool cancelled = invoice.situation == catalog::Situation::cancelled;
    switch (role) {
        case Qt::DisplayRole:
            return Cell(invoice, column);
        case Qt::TextAlignmentRole:
            return column == Column::value ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                           : QVariant();
        case Qt::FontRole:
            if (cancelled || (!invoice.full && column == Column::content)) {
                QFont font;
                font.setStrikeOut(cancelled);
                font.setItalic(!invoice.full && column == Column::content);
                return font;
            }
            return {};
        case Qt::ForegroundRole:
            return cancelled ? QVariant(QBrush(Qt::gray)) : QVariant();
        case Qt::ToolTipRole:
            return invoice.full ? QVariant()
                                : QStringLiteral(
                                      "Só o resumo desta NF-e veio: registre a Ciência da "
                                      "Operação para receber a NF-e completa.");
        default:
            break;
    }
    return {};
}

QVariant InvoiceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return Title(static_cast<Column>(section));
}

void InvoiceTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    sortColumn_ = static_cast<Column>(column);
    ascending_ = order == Qt::AscendingOrder;
    Refresh();
}

void InvoiceTableModel::Refresh() {
    beginResetModel();
    shown_ = Filtered(loaded_, filter_);
    SortInvoices(shown_, sortColumn_, ascending_);
    endResetModel();
}

}  // namespace inbox
