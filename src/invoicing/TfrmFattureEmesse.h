#pragma once

#include "invoice/InvoiceRegister.h"

#include <QDialog>

class AppHost;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "Fatture emesse": the invoices of a year (number, date, customer, taxable, VAT, total, paid), read
// from their files and the register. "Apri" shows the courtesy copy of the chosen one, "Pagata"
// marks it paid or not, "Stampa" prints the list through the shared summary print, "Esporta CSV"
// writes it for the accountant, "Zip del mese" puts the month's XML files into Fatture_<anno>-<mese>.zip.
class TfrmFattureEmesse : public QDialog
{
    Q_OBJECT
public:
    TfrmFattureEmesse(AppHost &host, QWidget *parent);

    QComboBox *cboAnno, *cboMese;
    QTableWidget *lstFatture;
    QPushButton *cmdApri, *cmdPagata, *cmdStampa, *cmdCsv, *cmdZip, *cmdChiudi;
    QLabel *panInfo;

    static QString reportName() { return QStringLiteral("Fatture emesse"); }

    void FormShow();
    void cmdApriClick();
    void cmdPagataClick();
    void cmdStampaClick();
    void cmdCsvClick();
    void cmdZipClick();

    const QList<InvoiceRegister::Entry> &entries() const { return m_entries; }

private:
    int chosenYear() const;
    AppHost &m_host;
    QList<InvoiceRegister::Entry> m_entries;
};
