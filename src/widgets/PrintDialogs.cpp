#include "widgets/PrintDialogs.h"

#include <QList>
#include <QPrintDialog>
#include <QPrinter>

namespace {

struct PrintScript
{
    bool scripted = false;
    QList<QString> answers;  // a PDF file to accept, or the empty text to cancel
    int asked = 0;
};

PrintScript &printScript()
{
    static PrintScript s;
    return s;
}

}  // namespace

void PrintDialogs::setScripted(bool scripted)
{
    printScript() = PrintScript{};
    printScript().scripted = scripted;
}

void PrintDialogs::setNextAccept(const QString &pdfFile)
{
    printScript().answers.append(pdfFile);
}

void PrintDialogs::setNextCancel()
{
    printScript().answers.append(QString());
}

int PrintDialogs::timesAsked()
{
    return printScript().asked;
}

bool PrintDialogs::askPrinter(QPrinter &printer, QWidget *parent)
{
    PrintScript &s = printScript();
    if (s.scripted) {
        ++s.asked;
        const QString pdf = s.answers.isEmpty() ? QString() : s.answers.takeFirst();
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    // Only the report's own pages can be chosen.
    if (printer.toPage() > 0)
        dialog.setMinMax(1, printer.toPage());
    return dialog.exec() == QDialog::Accepted;
}
