#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "catalog/catalog.h"
#include "inbox/invoice_filter.h"
#include "inbox/invoice_order.h"

namespace inbox {

// The table over the catalogue's listing: the invoices that pass the filter, in the chosen
// order. Cancelled rows are struck through and grey; summary rows say that the Ciência is
// needed.
class InvoiceTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The catalogue's listing, newest first.
    void SetInvoices(std::vector<catalog::ListedInvoice> invoices);
    void SetFilter(InvoiceFilter filter);
    const std::vector<catalog::ListedInvoice>& Shown() const { return shown_; }
    const catalog::ListedInvoice& At(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void Refresh();

    std::vector<catalog::ListedInvoice> loaded_;
    std::vector<catalog::ListedInvoice> shown_;
    InvoiceFilter filter_;
    Column sortColumn_ = Column::issued;
    bool ascending_ = false;
};

}  // namespace inbox
