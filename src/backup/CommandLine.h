#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The command-line verbs of the program, run before (and instead of) any window:
//   cablora export schede|clienti|automezzi --format csv|json FILE
//   cablora import clienti|automezzi|schede FILE [--format csv|json] [--dry-run]
//   cablora backup DEST_FOLDER
//   cablora restore FILE [--incompleta]
//   cablora fattura SHEET_POSITION --cliente CUSTOMER_POSITION [...]   (see invoice/InvoiceCommand.h)
// Every verb takes "--cartella DIR" to work on another program folder than the executable's.
// Messages are Italian; the exit code is 0 on success, 1 when the work failed or a file was refused,
// 2 when the command line is wrong.
namespace CommandLine {

// True when the word names a verb.
bool isVerb(const QString &word);

// Runs the verb given as arguments.first() (the program name is not included).
int run(const QStringList &arguments, const QString &defaultFolder, QTextStream &out, QTextStream &err);

// The usage text.
QString usage();

}  // namespace CommandLine
