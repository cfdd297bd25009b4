#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The print dialog of the program, scriptable for tests. The printer comes in set up for the default
// printer; when the user confirms it holds the chosen printer and settings.
class PrintDialogs
{
public:
    // True when the user confirms the print dialog; false when he cancels (nothing is printed then).
    static bool askPrinter(QPrinter &printer, QWidget *parent);

    // Scripting for tests: once scripted, no dialog is shown; the next answer is queued. Accepting
    // sends the print to the given PDF file. With nothing queued the dialog counts as cancelled.
    static void setScripted(bool scripted);
    static void setNextAccept(const QString &pdfFile);
    static void setNextCancel();
    static int timesAsked();
};
