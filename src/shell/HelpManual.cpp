#include "shell/HelpManual.h"

#include "shell/HelpTopics.h"

#include <QTextLayout>

#include <cmath>

namespace {

// Page: A4 portrait; everything below is in millimetres inside the margins.
constexpr double kMargin = 20;
constexpr double kWidth = 210 - 2 * kMargin;  // 170
// Body text.
const QString kFont = QStringLiteral("Arial");
constexpr double kBodyPoints = 11;
constexpr double kBodyPitch = 5.2;  // from one line to the next
constexpr double kParagraphGap = 3.2;
constexpr double kWrapSlack = 1.5;  // lines are broken a little short of the box
// Pictures of windows: at most this tall.
constexpr double kPictureMaxHeight = 105;
// Lines are measured at the resolution of the PDF writer (the report engine's layout resolution).
constexpr int kMeasureDpi = 1200;

const QColor kNavy(0x17, 0x3F, 0x75);
const QColor kOrange(0xF5, 0xA6, 0x23);
const QColor kGrey(0x60, 0x60, 0x60);
const QColor kRule(0xB0, 0xC4, 0xDE);

ReportPage blankPage()
{
    ReportPage page = ReportPage::a4(QPageLayout::Portrait, kMargin);
    return page;
}

// Breaks a paragraph into the lines that fit `widthMm` in the body font, as the PDF writer measures
// them; the report engine then prints each line as it is.
QStringList wrapped(const QString &paragraph, const QFont &font, double widthMm)
{
    QImage reference(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(kMeasureDpi / 0.0254);
    reference.setDotsPerMeterX(dotsPerMetre);
    reference.setDotsPerMeterY(dotsPerMetre);
    QTextLayout layout(paragraph, font, &reference);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const double width = widthMm / 25.4 * kMeasureDpi;
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QFont bodyFont()
{
    QFont font(kFont);
    font.setPointSizeF(kBodyPoints);
    return font;
}

ReportBand paragraphBand(const QString &paragraph)
{
    const QStringList lines = wrapped(paragraph, bodyFont(), kWidth - kWrapSlack);
    const double height = lines.size() * kBodyPitch;
    ReportBand band;
    band.kind = ReportBand::Kind::Data;
    band.canSplit = true;
    band.height = height + kParagraphGap;
    ReportObject text =
        ReportObject::textObject(QString(), QRectF(0, 0, kWidth, height), lines.join(QLatin1Char('\n')));
    text.font(kFont, kBodyPoints);
    text.lineSpacing = kBodyPitch;
    band.objects.append(text);
    return band;
}

ReportBand pictureBand(const QImage &picture, const QString &caption)
{
    QSizeF size(kWidth, kWidth * picture.height() / std::max(1, picture.width()));
    if (size.height() > kPictureMaxHeight)
        size = QSizeF(kPictureMaxHeight * picture.width() / std::max(1, picture.height()), kPictureMaxHeight);
    const QRectF frame((kWidth - size.width()) / 2, 2, size.width(), size.height());
    ReportBand band;
    band.kind = ReportBand::Kind::Data;
    band.height = frame.bottom() + 12;
    ReportObject image = ReportObject::pictureObject(QString(), frame);
    image.picture = picture;
    band.objects.append(image);
    band.objects.append(ReportObject::rectangle(frame, QColor(), kRule));
    band.objects.append(ReportObject::textObject(QString(), QRectF(0, frame.bottom() + 2, kWidth, 6), caption)
                            .font(kFont, 9, false, true)
                            .colours(kGrey)
                            .align(Qt::AlignHCenter | Qt::AlignTop));
    return band;
}

ReportPage chapterPage(int index, const HelpManual::Chapter &chapter, const HelpManual::Pictures &pictures)
{
    ReportPage page = blankPage();
    ReportBand &title = page.addBand(ReportBand::Kind::Title, QStringLiteral("Titolo"), 30);
    title.objects.append(
        ReportObject::textObject(QString(), QRectF(0, 0, kWidth, 6), QStringLiteral("Capitolo %1").arg(index + 1))
            .font(kFont, 11, true)
            .colours(kOrange));
    title.objects.append(ReportObject::textObject(QString(), QRectF(0, 7, kWidth, 12), chapter.title)
                             .font(kFont, 20, true)
                             .colours(kNavy));
    title.objects.append(ReportObject::rectangle(QRectF(0, 21, kWidth, 0.8), kOrange, QColor()));

    QList<HelpManual::Illustration> here;
    for (const HelpManual::Illustration &illustration : HelpManual::illustrations()) {
        if (illustration.chapter == index && pictures.windows.contains(illustration.window)
            && !pictures.windows.value(illustration.window).isNull())
            here.append(illustration);
    }
    for (int p = 0; p < chapter.paragraphs.size(); ++p) {
        page.bands.append(paragraphBand(chapter.paragraphs.at(p)));
        for (const HelpManual::Illustration &illustration : std::as_const(here)) {
            if (illustration.afterParagraph == p)
                page.bands.append(pictureBand(pictures.windows.value(illustration.window), illustration.caption));
        }
    }
    return page;
}

ReportPage titlePage(const HelpManual::Pictures &pictures)
{
    ReportPage page = blankPage();
    page.add(ReportObject::rectangle(QRectF(0, 0, kWidth, 82), kNavy, QColor()));
    if (!pictures.cover.isNull()) {
        ReportObject cover = ReportObject::pictureObject(QStringLiteral("imgCopertina"), QRectF(10, 11, 60, 60));
        cover.picture = pictures.cover;
        page.add(cover);
    }
    page.add(ReportObject::textObject(QString(), QRectF(78, 14, 88, 20), HelpTopics::productName())
                 .font(kFont, 36, true)
                 .colours(Qt::white)
                 .align(Qt::AlignLeft | Qt::AlignVCenter));
    page.add(
        ReportObject::textObject(QString(), QRectF(78, 38, 88, 18), QStringLiteral("Guida all'utilizzo del software"))
            .font(kFont, 16)
            .colours(Qt::white)
            .wrap());
    page.add(ReportObject::textObject(QString(), QRectF(78, 60, 88, 7),
                                      QStringLiteral("Versione ") + HelpTopics::programVersion())
                 .font(kFont, 11)
                 .colours(QColor(0xE4, 0xEE, 0xF8)));
    page.add(ReportObject::rectangle(QRectF(0, 82, kWidth, 2), kOrange, QColor()));
    page.add(ReportObject::textObject(
                 QString(), QRectF(10, 104, kWidth - 20, 24),
                 QStringLiteral("Software rivolto alle officine di elettrauto per compilare e stampare le schede "
                                "d'intervento e archiviare i dati di clienti e veicoli"))
                 .font(kFont, 14, false, true)
                 .colours(kNavy)
                 .align(Qt::AlignHCenter | Qt::AlignTop)
                 .wrap());
    const QStringList apps = {QStringLiteral("Anagrafica Clienti"), QStringLiteral("Parco Automezzi"),
                              QStringLiteral("Schede Interventi")};
    for (int i = 0; i < apps.size(); ++i) {
        const QRectF box(5 + i * 55, 140, 50, 14);
        page.add(ReportObject::rectangle(box, QColor(0xEE, 0xF2, 0xF7), kRule));
        page.add(ReportObject::textObject(QString(), box, apps.at(i))
                     .font(kFont, 11, true)
                     .colours(kNavy)
                     .align(Qt::AlignCenter));
    }
    page.add(ReportObject::horizontalLine(0, 226, kWidth, kRule));
    page.add(ReportObject::textObject(QString(), QRectF(0, 229, kWidth, 7), HelpTopics::makerName())
                 .font(kFont, 12, true)
                 .colours(kNavy)
                 .align(Qt::AlignHCenter | Qt::AlignVCenter));
    page.add(ReportObject::textObject(QString(), QRectF(0, 237, kWidth, 6),
                                      HelpTopics::makerWebLabel() + QStringLiteral("  -  ") + HelpTopics::makerEmail())
                 .font(kFont, 10)
                 .colours(kGrey)
                 .align(Qt::AlignHCenter | Qt::AlignVCenter));
    return page;
}

ReportPage contentsPage(const QList<HelpManual::Chapter> &chapters, const QList<int> &pages)
{
    ReportPage page = blankPage();
    page.add(ReportObject::textObject(QString(), QRectF(0, 0, kWidth, 12), QStringLiteral("Indice"))
                 .font(kFont, 22, true)
                 .colours(kNavy));
    page.add(ReportObject::rectangle(QRectF(0, 14, kWidth, 0.8), kOrange, QColor()));
    for (int i = 0; i < chapters.size(); ++i) {
        const double y = 24 + i * 12;
        page.add(ReportObject::textObject(QString(), QRectF(0, y, 10, 7), QString::number(i + 1))
                     .font(kFont, 12, true)
                     .colours(kOrange)
                     .align(Qt::AlignLeft | Qt::AlignVCenter));
        page.add(ReportObject::textObject(QString(), QRectF(10, y, 140, 7), chapters.at(i).title)
                     .font(kFont, 12)
                     .align(Qt::AlignLeft | Qt::AlignVCenter));
        page.add(ReportObject::textObject(QString(), QRectF(150, y, 20, 7),
                                          i < pages.size() ? QString::number(pages.at(i)) : QString())
                     .font(kFont, 12, true)
                     .align(Qt::AlignRight | Qt::AlignVCenter));
        page.add(ReportObject::horizontalLine(10, y + 8.5, kWidth - 10, kRule));
    }
    const double noteTop = 24 + chapters.size() * 12 + 10;
    page.add(ReportObject::textObject(
                 QString(), QRectF(10, noteTop, kWidth - 10, 30),
                 QStringLiteral("Il primo capitolo presenta il programma nel suo insieme, i tre capitoli successivi "
                                "descrivono le app e gli ultimi due l'esportazione degli archivi in Excel. Il testo "
                                "è quello della guida in linea, che si apre con il pulsante Guida di ciascuna "
                                "schermata e, per la presentazione generale, con l'icona della guida nella "
                                "schermata iniziale."))
                 .font(kFont, 10, false, true)
                 .colours(kGrey)
                 .wrap());
    return page;
}

// Every page but the title page carries the manual's name and its number in the bottom margin.
void addPageFoot(PreparedReport &report)
{
    for (int i = 1; i < report.pages.size(); ++i) {
        PreparedPage &page = report.pages[i];
        const double contentHeight = page.layout.paintRect(QPageLayout::Millimeter).height();
        const double y = contentHeight + 7;
        page.objects.append(ReportObject::horizontalLine(0, y - 1.5, kWidth, kRule));
        page.objects.append(
            ReportObject::textObject(QString(), QRectF(0, y, 130, 5),
                                     HelpTopics::productName() + QStringLiteral(" - Guida all'utilizzo del software"))
                .font(kFont, 8)
                .colours(kGrey));
        page.objects.append(
            ReportObject::textObject(QString(), QRectF(130, y, 40, 5), QStringLiteral("Pagina %1").arg(i + 1))
                .font(kFont, 8)
                .colours(kGrey)
                .align(Qt::AlignRight | Qt::AlignTop));
    }
}

}  // namespace

namespace HelpManual {

QList<Chapter> chapters()
{
    QList<Chapter> result;
    const QList<HelpTopics::Topic> topics = HelpTopics::all();
    for (const HelpTopics::Topic &topic : topics)
        result.append({topic.title, topic.paragraphs});
    result[0].paragraphs = HelpTopics::launcherOwnParagraphs();
    return result;
}

QList<Illustration> illustrations()
{
    return {
        {QStringLiteral("TfrmAvvio"), 0, 0,
         QStringLiteral("La schermata iniziale: le tre app, la guida, le informazioni sul programma e l'uscita.")},
        {QStringLiteral("TfrmGuida"), 0, 0,
         QStringLiteral("La finestra della guida: ogni app apre con il pulsante Guida la pagina che la riguarda.")},
        {QStringLiteral("TfrmPassword"), 0, 3,
         QStringLiteral("La finestra di accesso, con il pulsante Cambia password.")},
        {QStringLiteral("TfrmClienti"), 1, 0, QStringLiteral("L'app Anagrafica Clienti.")},
        {QStringLiteral("TfrmAutoparco"), 2, 0, QStringLiteral("L'app Parco Automezzi.")},
        {QStringLiteral("TfrmInterventi"), 3, 0, QStringLiteral("L'app Schede Interventi.")},
        {QStringLiteral("TfrmExpClienti"), 4, 0,
         QStringLiteral("La finestra di esportazione dei clienti: l'icona di Excel avvia l'esportazione.")},
        {QStringLiteral("TfrmExpAutoparco"), 5, 0,
         QStringLiteral("La finestra di esportazione dei veicoli: l'icona di Excel avvia l'esportazione.")},
    };
}

QList<int> chapterPages(const Pictures &pictures)
{
    const QList<Chapter> all = chapters();
    QList<int> pages;
    int next = 3;  // after the title page and the table of contents
    for (int i = 0; i < all.size(); ++i) {
        pages.append(next);
        Report alone;
        alone.addPage(chapterPage(i, all.at(i), pictures));
        next += alone.prepare().pageCount();
    }
    return pages;
}

PreparedReport prepare(const Pictures &pictures)
{
    const QList<Chapter> all = chapters();
    Report report(documentTitle());
    report.addPage(titlePage(pictures));
    report.addPage(contentsPage(all, chapterPages(pictures)));
    for (int i = 0; i < all.size(); ++i)
        report.addPage(chapterPage(i, all.at(i), pictures));
    PreparedReport prepared = report.prepare();
    addPageFoot(prepared);
    return prepared;
}

QString documentTitle()
{
    return HelpTopics::productName() + QStringLiteral(" - Guida all'utilizzo del software");
}

bool write(const QString &pdfPath, const Pictures &pictures)
{
    ReportRender::PdfInfo info;
    info.title = documentTitle();
    info.subject = QStringLiteral("Manuale d'uso");
    return ReportRender::exportPdf(prepare(pictures), pdfPath, info);
}

}  // namespace HelpManual
