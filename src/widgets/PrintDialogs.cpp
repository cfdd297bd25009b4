#include "widgets/PrintDialogs.h"

#include <QList>
#include <QPrintDialog>
#include <QPrinter>

namespace {

struct Script
{
    bool scripted = false;
    QList<QString> answers;  // a PDF file to accept, or the empty text to cancel
    int asked = 0;
};

Script &script()
{
    static Script s;
    return s;
}

}  // namespace

void PrintDialogs::setScripted(bool scripted)
{
    script() = Script{};
    script().scripted = scripted;
}

void PrintDialogs::setNextAccept(const QString &pdfFile)
{
    script().answers.append(pdfFile);
}

void PrintDialogs::setNextCancel()
{
    script().answers.append(QString());
}

int PrintDialogs::timesAsked()
{
    return script().asked;
}

bool PrintDialogs::askPrinter(QPrinter &printer, QWidget *parent)
{
    Script &s = script();
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
