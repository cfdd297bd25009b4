#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The user manual Guida.pdf, made from the same paragraphs as the help window (HelpTopics): a title
// page, a table of contents with page numbers and one chapter per help topic, with pictures of the
// windows where they help. The pictures are taken by whoever builds the manual (the windows belong to
// the GUI library); the layout and the PDF are the report engine's.
namespace HelpManual {

struct Chapter
{
    QString title;
    QStringList paragraphs;
};

// One chapter per help topic, in the order of HelpTopics::all(). The launcher's chapter holds the
// paragraphs that no app topic has (the introduction and the closing paragraphs): the app sections of
// the launcher's text are the next three chapters, word for word.
QList<Chapter> chapters();

// A picture of a window, placed in a chapter after one of its paragraphs.
struct Illustration
{
    QString window;      // the class name of the window pictured, the key of Pictures::windows
    int chapter;         // index into chapters()
    int afterParagraph;  // index into the chapter's paragraphs
    QString caption;
};
QList<Illustration> illustrations();

struct Pictures
{
    QImage cover;                   // the program's icon on the title page
    QMap<QString, QImage> windows;  // by Illustration::window; a missing picture is left out
};

// The manual laid out into pages.
PreparedReport prepare(const Pictures &pictures);

// The page (1-based) on which each chapter starts, in the order of chapters().
QList<int> chapterPages(const Pictures &pictures);

// The document's title, as the PDF's properties give it.
QString documentTitle();

// Writes the manual as a PDF file, replacing an existing one; false when it could not be written.
bool write(const QString &pdfPath, const Pictures &pictures);

}  // namespace HelpManual
