#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPair>
#include <QRectF>
#include <QString>

#include <functional>

class QPagedPaintDevice;

// The report engine: templates of A4 pages holding named objects placed in millimetres, laid out
// ("prepared") into pages and drawn with QPainter on a printer, a PDF writer or the preview.
//
// Every position is in millimetres from the top-left corner of the area inside the page margins
// (of the band, for objects of a band). Templates are built in code, one function per template.

// One object of a template: a text, a picture, a rectangle or a line.
struct ReportObject
{
    enum class Kind { Text, Picture, Rectangle, Line };

    Kind kind = Kind::Text;
    QString name;  // empty for fixed texts and drawings nobody addresses
    QRectF rect;   // mm; a line runs from the top-left corner, across its width or down its height

    // Text.
    QString text;
    QString fontFamily = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    QColor textColour = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;   // false: lines break only at the text's own line breaks
    double lineSpacing = 0;  // mm from one line to the next; 0: the font's own

    // Text and rectangle.
    QColor fill;         // invalid: no fill
    QColor frameColour;  // invalid: no outline (rectangles); colour of a line

    // Picture: fitted into the rectangle keeping its proportions, centred.
    QImage picture;

    // Outlines and lines: one pixel of a 96 dpi screen.
    static constexpr double kThinLine = 25.4 / 96.0;
    double lineWidth = kThinLine;

    static ReportObject textObject(const QString &name, const QRectF &rect, const QString &text = QString());
    static ReportObject pictureObject(const QString &name, const QRectF &rect);
    static ReportObject rectangle(const QRectF &rect, const QColor &fill, const QColor &outline);
    static ReportObject horizontalLine(double left, double top, double length, const QColor &colour = Qt::black);
    static ReportObject verticalLine(double left, double top, double length, const QColor &colour = Qt::black);

    // Chained setters, so that a template reads like a table of objects.
    ReportObject &font(const QString &family, double points, bool isBold = false, bool isItalic = false);
    ReportObject &align(Qt::Alignment how);
    ReportObject &wrap(bool on = true);
    ReportObject &colours(const QColor &text, const QColor &background = QColor());
};

// A band of a banded page. The title band stands at the top of the first page, the data bands
// follow one another, the footer band comes once after the data.
struct ReportBand
{
    enum class Kind { Title, Data, Footer };

    Kind kind = Kind::Data;
    QString name;
    double height = 0;      // mm
    bool canSplit = false;  // a data band whose multi-line texts may continue on the next page
    QList<ReportObject> objects;
};

// One page of a template: size A4, orientation, margins, the objects standing directly on it and,
// for a banded report, its bands (laid out over as many pages as they need).
struct ReportPage
{
    QPageLayout layout;
    QList<ReportObject> objects;
    QList<ReportBand> bands;

    static ReportPage a4(QPageLayout::Orientation orientation, double marginMm);
    // The area inside the margins, in mm.
    QSizeF contentSize() const;

    ReportObject &add(const ReportObject &object);
    ReportBand &addBand(ReportBand::Kind kind, const QString &name, double height);
};

// A laid-out page, ready to be drawn.
struct PreparedPage
{
    QPageLayout layout;
    QList<ReportObject> objects;  // mm from the corner inside the margins
};

struct PreparedReport
{
    QString name;
    QList<PreparedPage> pages;

    int pageCount() const { return static_cast<int>(pages.size()); }
};

// The texts a record window prints, as its screen shows them (saved or not): the object name of each
// control, which is also the name of its printed object, and its text. Every printed sheet is filled
// from such a list.
using PrintTexts = QList<QPair<QString, QString>>;

// The text of the named control, trimmed as the sheets print it; empty when the list has no such
// control. Should a name come twice, the later text counts.
QString printedText(const PrintTexts &texts, const QString &name);

// A report template and its values.
class Report
{
public:
    explicit Report(const QString &name = QString());

    QString name() const { return m_name; }
    QList<ReportPage> &pages() { return m_pages; }
    const QList<ReportPage> &pages() const { return m_pages; }
    ReportPage &addPage(const ReportPage &page);

    // Finds an object (on a page or in a band) by its name; nullptr when there is none.
    ReportObject *findObject(const QString &name);
    const ReportObject *findObject(const QString &name) const;
    ReportBand *findBand(const QString &name);

    // False when the template has no text (picture) object of that name.
    bool setText(const QString &name, const QString &text);
    bool setPicture(const QString &name, const QImage &picture);
    // Turns a page (0-based) to portrait or landscape; false when there is no such page.
    bool setOrientation(int pageIndex, QPageLayout::Orientation orientation);

    // Lays the template out into pages: pages without bands as they stand, banded pages with the
    // title band on the first page, the data bands one after the other (splitting a band that may
    // split between its text lines) and the footer once after the data.
    PreparedReport prepare() const;

private:
    QString m_name;
    QList<ReportPage> m_pages;
};

namespace ReportRender {

// Told before each page is drawn: the pages drawn so far and the pages to draw; false stops.
using Progress = std::function<bool(int done, int total)>;

// Draws pages fromPage..toPage (1-based; 0 = up to the last) on a printer or PDF writer. The device's
// page layout is set from each page. False when the device could not be painted on, or when progress
// asked to stop.
bool render(const PreparedReport &report, QPagedPaintDevice &device, int fromPage = 1, int toPage = 0,
            const Progress &progress = {});

struct PdfInfo
{
    QString title;
    QString subject;
    QString creator = QStringLiteral("Cablora");
};

// Writes the report as a PDF file, replacing an existing file without asking (atomically: a failed
// export leaves an earlier file as it was). False when the file could not be written.
bool exportPdf(const PreparedReport &report, const QString &path, const PdfInfo &info);
// The same PDF as bytes.
QByteArray pdfBytes(const PreparedReport &report, const PdfInfo &info);

// The height of one line of a text object, in mm (its fixed spacing or the font's own).
double lineHeight(const ReportObject &text);

}  // namespace ReportRender
