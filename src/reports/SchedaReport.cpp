#include "reports/SchedaReport.h"

namespace SchedaReport {

namespace {

const QColor kBisque(0xFF, 0xE4, 0xC4);
const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kWhiteSmoke(0xF5, 0xF5, 0xF5);
const QColor kBeige(0xF5, 0xF5, 0xDC);
const QString kArial = QStringLiteral("Arial");

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

// A labelled field: a header bar with its caption and, 5 mm below the bar's top, the value area
// with its value object.
struct Box
{
    QColor header;
    QColor outline;
    double left, top, width;
    double valueHeight;  // 0: a header bar alone
    const char *caption;
    Qt::Alignment captionAlignment;
    const char *value;  // nullptr: the value object is placed on its own
    Qt::Alignment valueAlignment;
    double valueDrop = 1.4;  // from the value area's top to the value object
};

void addBox(ReportPage &page, const Box &box)
{
    page.add(ReportObject::rectangle({box.left, box.top, box.width, 4.8}, box.header, box.outline));
    if (box.valueHeight > 0) {
        page.add(
            ReportObject::rectangle({box.left, box.top + 5, box.width, box.valueHeight}, kWhiteSmoke, box.outline));
    }
    page.add(ReportObject::textObject(QString(), {box.left + 1, box.top + 0.4, box.width - 2, 4},
                                      QString::fromUtf8(box.caption))
                 .font(kArial, 10, true)
                 .align(box.captionAlignment));
    if (box.value) {
        page.add(ReportObject::textObject(QString::fromLatin1(box.value),
                                          {box.left + 1, box.top + 5 + box.valueDrop, box.width - 2, 4})
                     .font(kArial, 10, true)
                     .align(box.valueAlignment));
    }
}

// A value that wraps over several lines, placed on its own inside its box.
ReportObject wrappingValue(const QString &name, const QRectF &rect)
{
    return ReportObject::textObject(name, rect).font(kArial, 10, true).align(Qt::AlignLeft | Qt::AlignTop).wrap();
}

// The thin frame around the page and the page number under it.
void addFrameAndNumber(ReportPage &page, const QString &name, const QString &number)
{
    page.add(ReportObject::horizontalLine(1, 1, 188));
    page.add(ReportObject::horizontalLine(1, 269, 188));
    page.add(ReportObject::verticalLine(1, 1, 268));
    page.add(ReportObject::verticalLine(189, 1, 268));
    page.add(ReportObject::textObject(name, {1, 270, 188, 5}, number).font(kArial, 9, false, true).align(kCentre));
}

void addFront(Report &report)
{
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
    const QColor B = kBisque;
    const QColor L = kLightSteelBlue;
    const Box boxes[] = {
        {B, B, 102, 22, 83, 6, "NUMERO", kCentre, "txtNumScheda", kCentre},
        {B, B, 102, 35, 83, 6, "DATA EMISSIONE", kCentre, "txtData", kCentre},
        {L, L, 5, 56, 180, 13, "AZIENDA DI ELETTRAUTO", kCentre, nullptr, kCentre},
        {L, L, 5, 78, 122, 6, "TIPO VEICOLO", kLeft, "txtVeicolo", kLeft},
        {L, L, 130, 78, 55, 6, "TARGA", kLeft, "txtTarga", kLeft},
        {L, L, 5, 93, 122, 6, "MARCA E MODELLO", kLeft, "txtMarca", kLeft},
        {L, L, 130, 93, 55, 6, "CHILOMETRAGGIO", kLeft, "txtChilometraggio", kLeft},
        {B, L, 5, 114, 122, 6, "CLIENTE", kLeft, "txtCliente", kLeft},
        {B, L, 130, 114, 55, 6, "RECAPITO TELEFONICO", kLeft, "txtRecapito", kLeft},
        {L, L, 5, 135, 180, 6, "ESTREMI PRATICA ASSICURATIVA", kLeft, "txtPratica", kLeft},
        {L, L, 5, 150, 180, 6, "TECNICO ASSEGNATO", kLeft, "txtTecnico", kLeft},
        {B, B, 5, 165, 75, 6, "DATA INIZIO LAVORI", kCentre, "txtDataInizio", kCentre},
        {B, B, 110, 165, 75, 6, "DATA FINE LAVORI", kCentre, "txtDataFine", kCentre},
        {L, L, 5, 185, 180, 0, "FOTO DEL VEICOLO", kCentre, nullptr, kCentre},
        {B, L, 5, 254, 180, 6, "STATO AVANZAMENTO LAVORI", kCentre, "txtStato", kCentre, 1.2},
    };
    for (const Box &box : boxes)
        addBox(page, box);
    page.add(ReportObject::textObject(QStringLiteral("txtAzienda"), {6.6, 62.8, 176.8, 9.8})
                 .font(kArial, 11, true)
                 .align(kCentre)
                 .wrap()
                 .colours(Qt::black, kBeige));

    page.add(ReportObject::pictureObject(QStringLiteral("imgLogo"), {5, 4, 90, 42}));
    page.add(ReportObject::textObject(QString(), {102, 4.2, 87, 8}, QStringLiteral("SCHEDA DI INTERVENTO"))
                 .font(kArial, 18, true)
                 .align(kLeft));
    page.add(ReportObject::textObject(QString(), {102, 13, 87, 8}, QStringLiteral("ELETTRAUTO"))
                 .font(kArial, 18, true)
                 .align(kLeft));
    page.add(ReportObject::pictureObject(QStringLiteral("picFotografia01"), {5, 192, 89, 59}));
    page.add(ReportObject::pictureObject(QStringLiteral("picFotografia02"), {96, 192, 89, 59}));
    for (const double y : {51.0, 109.0, 130.0, 181.0})
        page.add(ReportObject::horizontalLine(4, y, 182));
    addFrameAndNumber(page, QStringLiteral("txtPagina"), QStringLiteral("Pagina 1 di 2"));
}

void addBack(Report &report)
{
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
    const QColor B = kBisque;
    const QColor L = kLightSteelBlue;
    const Box boxes[] = {
        {L, L, 5, 6, 180, 37, "PROBLEMA SEGNALATO DAL CLIENTE", kLeft, nullptr, kLeft},
        {L, L, 5, 52, 180, 6, "SPIE ACCESE", kLeft, "txtVernice", kLeft},
        {L, L, 5, 67, 180, 61, "TEST E INTERVENTI ESEGUITI", kLeft, nullptr, kLeft},
        {L, L, 5, 137, 180, 49, "RICAMBI E MATERIALI UTILIZZATI", kLeft, nullptr, kLeft},
        {L, L, 5, 195, 115, 6, "MANODOPERA", kLeft, "txtManodopera", kLeft},
        {B, B, 128, 195, 57, 6, "TOTALE: €", kCentre, "txtTotale", kCentre},
        {L, L, 5, 210, 180, 6, "NOTE", kLeft, "txtNote", kLeft},
    };
    for (const Box &box : boxes)
        addBox(page, box);
    page.add(wrappingValue(QStringLiteral("txtDanni"), {6.6, 12.8, 176.8, 33.6}));
    page.add(wrappingValue(QStringLiteral("txtInterventi"), {6.6, 73.8, 176.8, 57.6}));
    page.add(wrappingValue(QStringLiteral("txtRicambi"), {6.6, 143.8, 176.8, 45.6}));

    auto declaration = [&page](double top, const QString &text) {
        page.add(ReportObject::textObject(QString(), {5, top, 181, 5}, text).font(kArial, 9).align(kLeft));
    };
    declaration(225, QStringLiteral("Il Cliente dichiara di aver preso visione degli interventi effettuati "
                                    "sul veicolo sopra descritto e di accettare il lavoro eseguito"));
    declaration(230, QStringLiteral("e l’importo indicato."));
    declaration(237, QStringLiteral("Dichiara inoltre di aver ritirato il veicolo in data odierna in buono "
                                    "stato e conforme agli interventi descritti."));
    page.add(ReportObject::textObject(QString(), {5, 246, 81, 6.4}, QStringLiteral("Firma del Tecnico elettrauto"))
                 .font(kArial, 12, true)
                 .align(kCentre));
    page.add(ReportObject::horizontalLine(5, 265, 81));
    page.add(ReportObject::textObject(QString(), {104, 246, 81, 6.4}, QStringLiteral("Firma del Cliente"))
                 .font(kArial, 12, true)
                 .align(kCentre));
    page.add(ReportObject::horizontalLine(104, 265, 81));
    addFrameAndNumber(page, QString(), QStringLiteral("Pagina 2 di 2"));
}

}  // namespace

QString reportName()
{
    return QStringLiteral("Scheda Intervento Elettrauto");
}

QStringList valueNames()
{
    return {QStringLiteral("txtNumScheda"),  QStringLiteral("txtData"),     QStringLiteral("txtAzienda"),
            QStringLiteral("txtCliente"),    QStringLiteral("txtRecapito"), QStringLiteral("txtVeicolo"),
            QStringLiteral("txtTarga"),      QStringLiteral("txtMarca"),    QStringLiteral("txtChilometraggio"),
            QStringLiteral("txtTecnico"),    QStringLiteral("txtPratica"),  QStringLiteral("txtDataInizio"),
            QStringLiteral("txtDataFine"),   QStringLiteral("txtStato"),    QStringLiteral("txtDanni"),
            QStringLiteral("txtVernice"),    QStringLiteral("txtRicambi"),  QStringLiteral("txtInterventi"),
            QStringLiteral("txtManodopera"), QStringLiteral("txtTotale"),   QStringLiteral("txtNote")};
}

Report buildTemplate()
{
    Report report(reportName());
    addFront(report);
    addBack(report);
    return report;
}

bool fill(Report &report, const PrintTexts &texts, const QImage &logo, const QImage &photo1, const QImage &photo2)
{
    bool ok = report.setOrientation(0, QPageLayout::Portrait);
    ok = report.setPicture(QStringLiteral("imgLogo"), logo) && ok;
    ok = report.setPicture(QStringLiteral("picFotografia01"), photo1) && ok;
    ok = report.setPicture(QStringLiteral("picFotografia02"), photo2) && ok;
    for (const QString &name : valueNames())
        ok = report.setText(name, printedText(texts, name)) && ok;
    return ok;
}

}  // namespace SchedaReport
