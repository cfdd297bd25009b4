#include "reports/Report.h"

#include "common/SafeFile.h"
#include "common/TextRules.h"
#include "reports/PdfDocumentInfo.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <cmath>
#include <memory>

namespace {

constexpr double kEpsilon = 0.001;  // mm
constexpr double kMmPerInch = 25.4;
// Pictures are drawn with at most this many pixels per inch of their printed size: enough for any
// printer, and a photo of many megapixels does not turn into a huge print job.
constexpr double kPictureDpi = 300;
// Line measurements for the layout are taken at the resolution of the PDF writer and the printer.
constexpr int kLayoutDpi = 1200;

QFont makeFont(const ReportObject &object)
{
    QFont font(object.fontFamily);
    font.setPointSizeF(object.pointSize);
    font.setBold(object.bold);
    font.setItalic(object.italic);
    return font;
}

QStringList textLines(const QString &text)
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normal.split(QLatin1Char('\n'));
}

// Where line n (0-based) of a text with "\n" line ends starts; -1 when the text has n lines or
// fewer. Only the first n lines are read.
qsizetype startOfLine(const QString &text, qsizetype n)
{
    qsizetype at = 0;
    for (qsizetype line = 0; line < n; ++line) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            return -1;
        at = end + 1;
    }
    return at;
}

// The number of lines of a text with "\n" line ends, counted up to `limit`.
qsizetype lineCountUpTo(const QString &text, qsizetype limit)
{
    qsizetype lines = 1;
    for (qsizetype at = text.indexOf(QLatin1Char('\n')); at >= 0 && lines < limit;
         at = text.indexOf(QLatin1Char('\n'), at + 1))
        ++lines;
    return lines;
}

// A text that a splitting band may continue on the next page: its own lines, no word wrap.
bool splits(const ReportObject &object)
{
    return object.kind == ReportObject::Kind::Text && !object.wordWrap;
}

struct Layouter
{
    PreparedReport &out;
    const ReportPage &page;
    double y = 0;

    double contentHeight() const { return page.contentSize().height(); }
    double room() const { return contentHeight() - y; }

    void newPage()
    {
        out.pages.append(PreparedPage{page.layout, page.objects});
        y = 0;
    }

    void place(const QList<ReportObject> &objects, double height)
    {
        for (ReportObject object : objects) {
            object.rect.translate(0, y);
            out.pages.last().objects.append(object);
        }
        y += height;
    }

    // Splits a band at the last line boundary of its first multi-line text that fits in `room`.
    // Returns the height of the part placed, 0 when not even one line fits. The texts of a band
    // being split hold "\n" line ends only (see placeData); only the lines that fit are looked at.
    double splitPoint(const ReportBand &band, double available) const
    {
        for (const ReportObject &object : band.objects) {
            if (!splits(object))
                continue;
            const double pitch = ReportRender::lineHeight(object);
            if (pitch <= 0 || startOfLine(object.text, 1) < 0)
                continue;  // a single line
            const int fit = static_cast<int>(std::floor((available - object.rect.top()) / pitch + kEpsilon));
            if (fit <= 0)
                return 0;
            return object.rect.top() + std::min<qsizetype>(fit, lineCountUpTo(object.text, fit)) * pitch;
        }
        return 0;
    }

    // Cuts `band` at `cut` mm: what lies above goes into `head`, the rest stays in `band`. A text cut
    // in two loses its first lines in place, so that a long text is never copied page after page.
    static QList<ReportObject> cutBand(ReportBand &band, double cut)
    {
        QList<ReportObject> head;
        QList<ReportObject> rest;
        for (ReportObject &object : band.objects) {
            if (splits(object) && object.rect.top() < cut && object.rect.bottom() > cut) {
                const double pitch = ReportRender::lineHeight(object);
                const int fit = std::max(0, static_cast<int>(std::floor((cut - object.rect.top()) / pitch + kEpsilon)));
                const qsizetype restStart = fit == 0 ? 0 : startOfLine(object.text, fit);
                const int placed = restStart < 0 ? static_cast<int>(lineCountUpTo(object.text, fit)) : fit;
                ReportObject upper = object;
                upper.text = restStart < 0 ? object.text : object.text.left(std::max<qsizetype>(0, restStart - 1));
                upper.rect.setHeight(placed * pitch);
                head.append(upper);
                if (restStart < 0)
                    object.text.clear();
                else
                    object.text.remove(0, restStart);
                object.rect = QRectF(object.rect.left(), 0, object.rect.width(),
                                     std::max(0.0, object.rect.height() - placed * pitch));
                rest.append(std::move(object));
            } else if (object.rect.top() < cut) {
                head.append(object);
            } else {
                object.rect.translate(0, -cut);
                rest.append(std::move(object));
            }
        }
        band.objects = std::move(rest);
        band.height = std::max(0.0, band.height - cut);
        return head;
    }

    void placeData(ReportBand band)
    {
        // A band that will be split has its texts' line ends made "\n" once, as the split lines
        // would have them.
        if (band.canSplit && band.height > room() + kEpsilon) {
            for (ReportObject &object : band.objects) {
                if (splits(object))
                    object.text = textLines(object.text).join(QLatin1Char('\n'));
            }
        }
        for (;;) {
            if (band.height <= room() + kEpsilon) {
                place(band.objects, band.height);
                return;
            }
            const double cut = band.canSplit ? splitPoint(band, room()) : 0;
            if (cut <= kEpsilon) {
                if (y > kEpsilon) {
                    newPage();
                    continue;
                }
                // Taller than a whole page and not splittable: it is cut by the page.
                place(band.objects, band.height);
                return;
            }
            place(cutBand(band, cut), cut);
            newPage();
        }
    }

    void layOut()
    {
        newPage();
        if (page.bands.isEmpty())
            return;
        for (const ReportBand &band : page.bands) {
            if (band.kind == ReportBand::Kind::Title)
                place(band.objects, band.height);
        }
        for (const ReportBand &band : page.bands) {
            if (band.kind == ReportBand::Kind::Data)
                placeData(band);
        }
        for (const ReportBand &band : page.bands) {
            if (band.kind != ReportBand::Kind::Footer)
                continue;
            if (band.height > room() + kEpsilon && y > kEpsilon)
                newPage();
            place(band.objects, band.height);
        }
    }
};

// Draws one object; `mm` converts millimetres into device pixels.
class PageDrawer
{
public:
    PageDrawer(QPainter &painter, double pixelsPerMm) : m_painter(painter), m_scale(pixelsPerMm) {}

    void draw(const ReportObject &object)
    {
        switch (object.kind) {
        case ReportObject::Kind::Text: drawText(object); break;
        case ReportObject::Kind::Picture: drawPicture(object); break;
        case ReportObject::Kind::Rectangle: drawRectangle(object); break;
        case ReportObject::Kind::Line: drawLine(object); break;
        }
    }

private:
    QRectF px(const QRectF &mm) const
    {
        return QRectF(mm.left() * m_scale, mm.top() * m_scale, mm.width() * m_scale, mm.height() * m_scale);
    }

    void drawText(const ReportObject &object)
    {
        const QRectF box = px(object.rect);
        m_painter.save();
        m_painter.setClipRect(box, Qt::IntersectClip);
        if (object.fill.isValid())
            m_painter.fillRect(box, object.fill);

        const QFont font = makeFont(object);
        QTextOption option;
        option.setAlignment(object.alignment & Qt::AlignHorizontal_Mask);
        option.setWrapMode(object.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        const double pitch = object.lineSpacing * m_scale;

        std::vector<std::unique_ptr<QTextLayout>> layouts;
        double height = 0;
        for (const QString &paragraph : textLines(object.text)) {
            auto layout = std::make_unique<QTextLayout>(paragraph, font, m_painter.device());
            layout->setTextOption(option);
            layout->setCacheEnabled(true);
            layout->beginLayout();
            for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
                line.setLineWidth(box.width());
                line.setPosition(QPointF(0, height));
                height += pitch > 0 ? pitch : line.height();
            }
            layout->endLayout();
            layouts.push_back(std::move(layout));
        }

        // Vertical alignment applies to a text that fits its frame; a longer text starts at the top
        // and is cut at the bottom, after its last whole line.
        double offset = 0;
        if (height <= box.height()) {
            if (object.alignment & Qt::AlignVCenter)
                offset = (box.height() - height) / 2;
            else if (object.alignment & Qt::AlignBottom)
                offset = box.height() - height;
        }
        m_painter.setPen(object.textColour);
        bool first = true;
        for (const auto &layout : layouts) {
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const double top = offset + line.y();
                const double bottom = top + std::max(line.height(), pitch);
                if (!first && bottom > box.height() + 0.5)
                    break;
                first = false;
                drawInsideFrame(line, box.topLeft() + QPointF(0, offset), box.width());
            }
        }
        m_painter.restore();
    }

    // Draws the characters of a line that start inside the frame's width. The frame's clip cuts the
    // rest on paper, but a PDF would keep it in its text layer, where searching or copying would find
    // words that are not printed, lying over the neighbouring boxes.
    void drawInsideFrame(const QTextLine &line, const QPointF &origin, double width)
    {
        const int start = line.textStart();
        const int end = start + line.textLength();
        constexpr double kTolerance = 0.5;  // device pixels
        // Left-to-right text: the start of a character grows along the line, so both ends are found
        // by halving.
        auto firstFrom = [&line](int low, int high, auto startsBefore) {
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (startsBefore(line.cursorToX(middle)))
                    low = middle + 1;
                else
                    high = middle;
            }
            return low;
        };
        const int first = firstFrom(start, end, [](double x) { return x < -kTolerance; });
        // One past the last character that starts inside.
        const int last = firstFrom(first, end, [width](double x) { return x < width - kTolerance; });
        if (first == start && last == end) {
            line.draw(&m_painter, origin);
            return;
        }
        if (first >= last)
            return;
        for (const QGlyphRun &run : line.glyphRuns(first, last - first))
            m_painter.drawGlyphRun(origin, run);
    }

    void drawPicture(const ReportObject &object)
    {
        if (object.picture.isNull())
            return;
        const QRectF box = px(object.rect);
        QSizeF fitted = QSizeF(object.picture.size());
        fitted.scale(box.size(), Qt::KeepAspectRatio);
        const QRectF target(box.left() + (box.width() - fitted.width()) / 2,
                            box.top() + (box.height() - fitted.height()) / 2, fitted.width(), fitted.height());
        QImage image = object.picture;
        const QSize most = (fitted / m_scale / kMmPerInch * kPictureDpi).toSize().expandedTo(QSize(1, 1));
        if (image.width() > most.width() || image.height() > most.height())
            image = image.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_painter.drawImage(target, image);
        m_painter.restore();
    }

    void drawRectangle(const ReportObject &object)
    {
        m_painter.save();
        if (object.frameColour.isValid())
            m_painter.setPen(
                QPen(object.frameColour, object.lineWidth * m_scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        else
            m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(object.fill.isValid() ? QBrush(object.fill) : QBrush(Qt::NoBrush));
        m_painter.drawRect(px(object.rect));
        m_painter.restore();
    }

    void drawLine(const ReportObject &object)
    {
        const QRectF line = px(object.rect);
        m_painter.save();
        m_painter.setPen(QPen(object.frameColour.isValid() ? object.frameColour : QColor(Qt::black),
                              object.lineWidth * m_scale, Qt::SolidLine, Qt::FlatCap));
        m_painter.drawLine(line.topLeft(), line.topLeft() + QPointF(line.width(), line.height()));
        m_painter.restore();
    }

    QPainter &m_painter;
    double m_scale;
};

}  // namespace

// ---- objects -------------------------------------------------------------------------------------

ReportObject ReportObject::textObject(const QString &name, const QRectF &rect, const QString &text)
{
    ReportObject object;
    object.kind = Kind::Text;
    object.name = name;
    object.rect = rect;
    object.text = text;
    return object;
}

ReportObject ReportObject::pictureObject(const QString &name, const QRectF &rect)
{
    ReportObject object;
    object.kind = Kind::Picture;
    object.name = name;
    object.rect = rect;
    return object;
}

ReportObject ReportObject::rectangle(const QRectF &rect, const QColor &fill, const QColor &outline)
{
    ReportObject object;
    object.kind = Kind::Rectangle;
    object.rect = rect;
    object.fill = fill;
    object.frameColour = outline;
    return object;
}

ReportObject ReportObject::horizontalLine(double left, double top, double length, const QColor &colour)
{
    ReportObject object;
    object.kind = Kind::Line;
    object.rect = QRectF(left, top, length, 0);
    object.frameColour = colour;
    return object;
}

ReportObject ReportObject::verticalLine(double left, double top, double length, const QColor &colour)
{
    ReportObject object;
    object.kind = Kind::Line;
    object.rect = QRectF(left, top, 0, length);
    object.frameColour = colour;
    return object;
}

ReportObject &ReportObject::font(const QString &family, double points, bool isBold, bool isItalic)
{
    fontFamily = family;
    pointSize = points;
    bold = isBold;
    italic = isItalic;
    return *this;
}

ReportObject &ReportObject::align(Qt::Alignment how)
{
    alignment = how;
    return *this;
}

ReportObject &ReportObject::wrap(bool on)
{
    wordWrap = on;
    return *this;
}

ReportObject &ReportObject::colours(const QColor &text, const QColor &background)
{
    textColour = text;
    fill = background;
    return *this;
}

// ---- pages and report ----------------------------------------------------------------------------

ReportPage ReportPage::a4(QPageLayout::Orientation orientation, double marginMm)
{
    ReportPage page;
    page.layout = QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(marginMm, marginMm, marginMm, marginMm),
                              QPageLayout::Millimeter);
    return page;
}

QSizeF ReportPage::contentSize() const
{
    return layout.paintRect(QPageLayout::Millimeter).size();
}

ReportObject &ReportPage::add(const ReportObject &object)
{
    objects.append(object);
    return objects.last();
}

ReportBand &ReportPage::addBand(ReportBand::Kind kind, const QString &name, double height)
{
    ReportBand band;
    band.kind = kind;
    band.name = name;
    band.height = height;
    bands.append(band);
    return bands.last();
}

QString printedText(const PrintTexts &texts, const QString &name)
{
    for (auto text = texts.crbegin(); text != texts.crend(); ++text) {
        if (text->first == name)
            return TextRules::trim(text->second);
    }
    return QString();
}

Report::Report(const QString &name) : m_name(name)
{
}

ReportPage &Report::addPage(const ReportPage &page)
{
    m_pages.append(page);
    return m_pages.last();
}

ReportObject *Report::findObject(const QString &name)
{
    return const_cast<ReportObject *>(std::as_const(*this).findObject(name));
}

const ReportObject *Report::findObject(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (const ReportPage &page : m_pages) {
        for (const ReportObject &object : page.objects) {
            if (object.name == name)
                return &object;
        }
        for (const ReportBand &band : page.bands) {
            for (const ReportObject &object : band.objects) {
                if (object.name == name)
                    return &object;
            }
        }
    }
    return nullptr;
}

ReportBand *Report::findBand(const QString &name)
{
    for (ReportPage &page : m_pages) {
        for (ReportBand &band : page.bands) {
            if (band.name == name)
                return &band;
        }
    }
    return nullptr;
}

bool Report::setText(const QString &name, const QString &text)
{
    ReportObject *object = findObject(name);
    if (!object || object->kind != ReportObject::Kind::Text)
        return false;
    object->text = text;
    return true;
}

bool Report::setPicture(const QString &name, const QImage &picture)
{
    ReportObject *object = findObject(name);
    if (!object || object->kind != ReportObject::Kind::Picture)
        return false;
    object->picture = picture;
    return true;
}

bool Report::setOrientation(int pageIndex, QPageLayout::Orientation orientation)
{
    if (pageIndex < 0 || pageIndex >= m_pages.size())
        return false;
    m_pages[pageIndex].layout.setOrientation(orientation);
    return true;
}

PreparedReport Report::prepare() const
{
    PreparedReport prepared;
    prepared.name = m_name;
    for (const ReportPage &page : m_pages) {
        Layouter layouter{prepared, page};
        layouter.layOut();
    }
    return prepared;
}

// ---- drawing -------------------------------------------------------------------------------------

namespace ReportRender {

double lineHeight(const ReportObject &text)
{
    if (text.lineSpacing > 0)
        return text.lineSpacing;
    QImage reference(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(kLayoutDpi / 0.0254);
    reference.setDotsPerMeterX(dotsPerMetre);
    reference.setDotsPerMeterY(dotsPerMetre);
    const QFontMetricsF metrics(makeFont(text), &reference);
    return metrics.height() * kMmPerInch / kLayoutDpi;
}

bool render(const PreparedReport &report, QPagedPaintDevice &device, int fromPage, int toPage, const Progress &progress)
{
    const int count = report.pageCount();
    if (count == 0)
        return false;
    const int first = std::clamp(fromPage, 1, count);
    const int last = toPage <= 0 ? count : std::clamp(toPage, first, count);

    device.setPageLayout(report.pages.at(first - 1).layout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int number = first; number <= last; ++number) {
        if (progress && !progress(number - first, last - first + 1)) {
            painter.end();
            return false;
        }
        const PreparedPage &page = report.pages.at(number - 1);
        if (number > first) {
            if (!(device.pageLayout() == page.layout))
                device.setPageLayout(page.layout);
            if (!device.newPage()) {
                painter.end();
                return false;
            }
        }
        // The painter starts at the device's printable corner; the page's objects are placed from
        // the corner inside the page's own margins, wherever the device puts its printable area.
        const double dpi = device.logicalDpiX();
        const QPageLayout actual = device.pageLayout();
        const QRectF printable = actual.paintRectPixels(qRound(dpi));
        const QMarginsF margins = page.layout.margins(QPageLayout::Millimeter);
        const double scale = dpi / kMmPerInch;
        painter.save();
        painter.translate(margins.left() * scale - printable.left(), margins.top() * scale - printable.top());
        PageDrawer drawer(painter, scale);
        for (const ReportObject &object : page.objects)
            drawer.draw(object);
        painter.restore();
    }
    return painter.end();
}

QByteArray pdfBytes(const PreparedReport &report, const PdfInfo &info)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kLayoutDpi);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        if (!render(report, writer))
            return QByteArray();
    }
    return PdfDocumentInfo::withDocumentInfo(bytes, info.title, info.subject, info.creator);
}

bool exportPdf(const PreparedReport &report, const QString &path, const PdfInfo &info)
{
    const QByteArray bytes = pdfBytes(report, info);
    if (bytes.isEmpty())
        return false;
    return SafeFile::replace(path, bytes);
}

}  // namespace ReportRender
