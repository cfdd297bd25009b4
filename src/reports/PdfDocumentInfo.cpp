#include "reports/PdfDocumentInfo.h"

#include <QDateTime>
#include <QRegularExpression>

namespace PdfDocumentInfo {

QByteArray pdfString(const QString &text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16.append(static_cast<char>(c.unicode() >> 8));
        utf16.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

QByteArray withDocumentInfo(const QByteArray &pdf, const QString &title, const QString &subject, const QString &creator)
{
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    const qsizetype startXref = pdf.lastIndexOf("startxref");
    if (trailer < 0 || startXref < trailer)
        return pdf;
    const QString dictionary = QString::fromLatin1(pdf.mid(trailer, startXref - trailer));
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(dictionary);
    const QRegularExpressionMatch root =
        QRegularExpression(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)")).match(dictionary);
    const QRegularExpressionMatch previous =
        QRegularExpression(QStringLiteral("startxref\\s+(\\d+)")).match(QString::fromLatin1(pdf.mid(startXref, 40)));
    if (!size.hasMatch() || !root.hasMatch() || !previous.hasMatch())
        return pdf;

    const qint64 object = size.captured(1).toLongLong();
    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out.append('\n');
    const qint64 objectOffset = out.size();
    out += QByteArray::number(object) + " 0 obj\n<<\n";
    out += "/Title " + pdfString(title) + '\n';
    out += "/Subject " + pdfString(subject) + '\n';
    out += "/Creator " + pdfString(creator) + '\n';
    out += "/Producer " + pdfString(QStringLiteral("Qt " QT_VERSION_STR)) + '\n';
    out += "/CreationDate (D:" + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1()
           + "Z)\n";
    out += ">>\nendobj\n";
    const qint64 xrefOffset = out.size();
    out += "xref\n" + QByteArray::number(object) + " 1\n";
    out += QByteArray::number(objectOffset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " + root.captured(1).toLatin1()
           + "\n/Info " + QByteArray::number(object) + " 0 R\n/Prev " + previous.captured(1).toLatin1()
           + "\n>>\nstartxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return out;
}

}  // namespace PdfDocumentInfo
