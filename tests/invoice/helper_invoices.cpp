// A workstation issuing invoices, for the numbering test: runs the command-line verb's code
// "fattura 1 --cliente 1 --cartella <folder>" count times in a row on a prepared program folder.
// Exits with 0 when every invoice was issued, 1 when one failed (its message on stderr).
//
//   helper_invoices <folder> <count>

#include "invoice/InvoiceCommand.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const int count = args.at(2).toInt();
    QTextStream out(stdout);
    QTextStream err(stderr);
    for (int i = 0; i < count; ++i) {
        const int code = InvoiceCommand::run(
            {QStringLiteral("fattura"), QStringLiteral("1"), QStringLiteral("--cliente"), QStringLiteral("1")},
            args.at(1), QDate::currentDate(), out, err);
        if (code != 0)
            return 1;
    }
    return 0;
}
