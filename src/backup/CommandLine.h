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
// Every verb takes "--cartella DIR" to work on another program folder than the executable's. Options
// may stand before or after the verb. Messages are Italian; the exit code is 0 on success, 1 when
// the work failed or a file was refused, 2 when the command line is wrong (and when the windows are
// asked for where there is no display).
namespace CommandLine {

// True when the word names a verb.
bool isVerb(const QString &word);

// True when the arguments (without the program name) ask for the command line rather than the
// windows: a word that is no option of Qt's (a verb, or a mistyped one) or one of the verbs'
// options. Qt's own window options (-platform NAME, -style NAME, ...) leave the windows.
bool isCommandLine(const QStringList &arguments);

// Runs the verb named among the arguments (the program name is not included): the first word that
// is neither an option nor an option's value.
int run(const QStringList &arguments, const QString &defaultFolder, QTextStream &out, QTextStream &err);

// The usage text.
QString usage();

// Said, before the usage, when the windows are asked for and there is no display to show them.
QString noDisplayMessage();

}  // namespace CommandLine
