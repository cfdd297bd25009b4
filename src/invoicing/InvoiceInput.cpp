#include "invoicing/InvoiceInput.h"

#include "common/TextRules.h"
#include "invoice/Invoice.h"
#include "invoice/InvoiceRegister.h"
#include "media/Logo.h"
#include "reports/InvoiceReport.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ReportPrinting.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace InvoiceInput {

void guard(QLineEdit *edit, QLabel *statusLine, const QString &field, bool upper)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, statusLine, field, upper](const QString &text) {
        QString kept;
        QString refused;
        for (const QChar c : text) {
            if (Invoice::isLatinCharacter(c))
                kept += c;
            else if (refused.isEmpty())
                refused = Invoice::refusedCharacterMessage(QString(c), field);
        }
        if (upper)
            kept = TextRules::upperAZ(kept);
        if (kept == text)
            return;
        const int cursor = edit->cursorPosition() - int(text.size() - kept.size());
        edit->setText(kept);
        edit->setCursorPosition(qMax(0, cursor));
        if (statusLine && !refused.isEmpty())
            statusLine->setText(refused);
    });
}

PreparedReport preparedCopy(const QString &programFolder, const QString &fileName, QString *error)
{
    InvoiceXml::Contents contents;
    if (!InvoiceRegister::readInvoice(programFolder, fileName, &contents, error))
        return {};
    return InvoiceReport::build(contents, Logo::load(programFolder)).prepare();
}

bool printCopy(QWidget *parent, const QString &programFolder, const QString &fileName)
{
    QString error;
    const PreparedReport report = preparedCopy(programFolder, fileName, &error);
    if (report.pageCount() == 0) {
        MessageBoxes::error(parent, error);
        return false;
    }
    if (ReportPrinting::print(report, parent) == ReportPrinting::Outcome::Failed) {
        MessageBoxes::error(parent, QStringLiteral("Impossibile stampare la copia di cortesia."));
        return false;
    }
    return true;
}

bool saveCopyAsPdf(QWidget *parent, const QString &programFolder, const QString &fileName)
{
    QString error;
    const PreparedReport report = preparedCopy(programFolder, fileName, &error);
    if (report.pageCount() == 0) {
        MessageBoxes::error(parent, error);
        return false;
    }
    const QString proposed = QFileInfo(fileName).completeBaseName() + QStringLiteral("_cortesia.pdf");
    const QString path =
        FileDialogs::saveFileName(parent, QStringLiteral("Salva la copia di cortesia"),
                                  QStringLiteral("Documento PDF (*.pdf)"), QStringLiteral("pdf"), proposed);
    if (path.isEmpty())
        return true;
    ReportRender::PdfInfo info;
    info.title = InvoiceReport::reportName();
    if (!ReportRender::exportPdf(report, path, info)) {
        MessageBoxes::error(parent, QStringLiteral("Impossibile scrivere il file %1.").arg(path));
        return false;
    }
    return true;
}

}  // namespace InvoiceInput
