#pragma once

#include "invoice/Invoice.h"
#include "invoice/InvoiceNumbering.h"
#include "invoice/InvoiceXml.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The invoices issued: their XML files in the folder Fatture_Elettroniche of the program folder and
// the register Fatture_Emesse.pro beside the other archives (see FatturaRecord). Issuing happens
// under the register's write lock (the archives' lock, as for sheets): the number is decided, the file
// checked against the schema and written, and the register line appended while no other workstation
// can issue, so a number is never given twice nor skipped.
namespace InvoiceRegister {

QString folderName();  // "Fatture_Elettroniche"
QString folderPath(const QString &programFolder);
QString registerPath(const QString &programFolder);

// Every invoice issued, as the numbering sees it: the register's lines and the files of the folder
// (a file without its line, left by a crash, still holds its number). False when the register or the
// folder cannot be read.
bool issued(const QString &programFolder, QList<InvoiceNumbering::Issued> *out, QString *error);

// The number the dialogs propose for a new invoice of a year (the next one); 0 when the register
// cannot be read.
qint64 proposedNumber(const QString &programFolder, int year);

struct IssueResult
{
    bool ok = false;
    QStringList problems;  // why nothing was written, in Italian (data, numbering, schema, disk)
    QString path;          // the XML file written
    qint64 number = 0;     // the number the invoice took
    QString note;          // a proposed number another workstation took meanwhile
    QByteArray xml;        // the file's bytes
    qint64 position = 0;   // the register line
};

// Issues an invoice. numberChosen: the number is the user's, refused when it is taken, would leave a
// gap or breaks the order of dates; otherwise the invoice takes the next number of its year (the
// number the dialog proposed, or the next when another workstation took it meanwhile: note says so).
// Checks first (Invoice::problems), then under the lock the number, the schema, the file and the
// register line; any failure leaves nothing written.
IssueResult issue(const QString &programFolder, Invoice::Documento documento, bool numberChosen, const QDate &today);

// One invoice of the list.
struct Entry
{
    QString fileName;
    int year = 0;
    qint64 number = 0;
    QDate date;
    QString tipo;
    QString cliente;
    QString clientePartitaIva;
    QString clienteCodiceFiscale;
    qint64 imponibile = 0;
    qint64 imposta = 0;
    qint64 totale = 0;
    bool pagato = false;
    QString scheda;
    qint64 position = 0;    // its register line, 0 when it has none
    bool fileFound = true;  // false: the register names a file that is not in the folder
};

// The invoices of a year, by number. The figures come from the files (what was transmitted); the
// paid flag from the register. False when the register cannot be read (out holds what was read).
bool list(const QString &programFolder, int year, QList<Entry> *out, QString *error);
// The years that have invoices, newest first (the current year always among them).
QList<int> years(const QString &programFolder, int currentYear);

// Marks an invoice paid or not (its register line; a file without one gets one).
bool setPaid(const QString &programFolder, const Entry &entry, bool paid, QString *error);

// The list for the accountant: UTF-8 with BOM, semicolons, decimal commas, CRLF (as a spreadsheet
// opens it in Italy). Columns: Numero, Data, Tipo, Cliente, Partita IVA, Codice fiscale, Imponibile,
// IVA, Totale, Pagata, Scheda, File.
QByteArray csv(const QList<Entry> &entries);
// The lines of the printed summary of the list.
QStringList summaryLines(const QList<Entry> &entries);

// "Fatture_2025-03.zip".
QString zipName(int year, int month);
// Zips the XML files of the invoices dated in a month into destFolder (written under a temporary
// name and renamed when whole). count: the files zipped. False with an Italian reason when there is
// none or the zip cannot be written.
bool zipMonth(const QString &programFolder, int year, int month, const QString &destFolder, QString *path, int *count,
              QString *error);

// Reads an issued invoice's file.
bool readInvoice(const QString &programFolder, const QString &fileName, InvoiceXml::Contents *contents, QString *error);

}  // namespace InvoiceRegister
