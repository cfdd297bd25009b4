#pragma once

#include <QByteArray>
#include <QString>

// The document information of a PDF file (title, subject, creator). Qt's PDF writer sets the title
// and the creator only; the subject is added by an incremental update, the standard way of changing
// a finished PDF: a new information dictionary and a short cross-reference section are appended.
namespace PdfDocumentInfo {

// The PDF with a new information dictionary; the bytes unchanged when they are not a PDF with a
// classic cross-reference table.
QByteArray withDocumentInfo(const QByteArray &pdf, const QString &title, const QString &subject,
                            const QString &creator);

// A text as a PDF string: UTF-16 with a byte order mark, in hexadecimal.
QByteArray pdfString(const QString &text);

}  // namespace PdfDocumentInfo
