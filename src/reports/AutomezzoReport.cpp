#include "reports/AutomezzoReport.h"

namespace AutomezzoReport {

namespace {

const QColor kRoyalBlue(0x41, 0x69, 0xE1);
const QString kArial = QStringLiteral("Arial");
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// One field cell: the blue caption band with its caption, and 5 mm below the band's top the value
// box with its value. The two multi-line-looking cells ("PNEUMATICI", "NOTE") sit their texts a
// little higher.
struct Cell
{
    double top, left, width;
    const char *caption;
    const char *captionObject;
    const char *value;
    double captionWidth = 0;  // 0: the cell's width less 2
    double valueWidth = 0;    // 0: the cell's width less 2
    bool raised = false;
};

const Cell kCells[] = {
    {100, 1, 92, "TIPO VEICOLO", "Memo28", "txtTipo"},
    {100, 95, 94, "ACCESSORI", "Memo27", "txtDestinazione"},
    {115, 1, 92, "MARCA", "Memo16", "txtMarca"},
    {115, 95, 94, "MODELLO", "Memo1", "txtModello"},
    {130, 1, 48, "TARGA", "Memo20", "txtTarga"},
    {130, 51, 42, "IMMATRICOLAZIONE", "Memo19", "txtAnno"},
    {130, 95, 94, "COLORE", "Memo18", "txtColore"},
    {145, 1, 48, "TELAIO", "Memo15", "txtTelaio"},
    {145, 51, 42, "STATO VEICOLO", "Memo13", "txtStato"},
    {145, 95, 51, "CHILOMETRI PERCORSI", "Memo17", "txtChilometri"},
    {145, 148, 41, "DATA LETTURA", "Memo3", "txtLettura"},
    {160, 1, 92, "PNEUMATICI", "Memo8", "txtPneumatici", 89.8, 89.9, true},
    {160, 95, 45, "ALIMENTAZIONE", "Memo24", "txtAlimentazione"},
    {160, 142, 47, "CILINDRATA", "Memo22", "txtCilindrata"},
    {175, 1, 45, "kW", "Memo9", "txtKW"},
    {175, 48, 45, "PORTATA MASSIMA", "Memo14", "txtPortata", 42},
    {175, 95, 94, "COMPATIBILITA' AMBIENTALE", "Memo6", "txtAmbiente"},
    {190, 1, 45, "NUMERO POSTI", "Memo11", "txtPosti"},
    {190, 48, 141, "COMPAGNIA ASSICURATIVA", "Memo26", "txtCompagnia"},
    {205, 1, 45, "TEL. ASSICURATORE", "Memo7", "txtTelAssicuratore"},
    {205, 48, 45, "NUMERO POLIZZA", "Memo12", "txtPolizza"},
    {205, 95, 45, "PROPRIETARIO", "Memo10", "txtAutista"},
    {205, 142, 47, "TEL. PROPRIETARIO", "Memo4", "txtTelAutista"},
    {220, 1, 45, "MECCANICO", "Memo29", "txtMeccanico"},
    {220, 48, 45, "TEL. MECCANICO", "Memo33", "txtTelMeccanico"},
    {220, 95, 45, "SCADENZA REVISIONE", "Memo31", "txtScadRevisione"},
    {220, 142, 47, "SCADENZA TAGLIANDO", "Memo23", "txtScadTagliando"},
    {235, 1, 45, "SCAD. ASSICURAZIONE", "Memo5", "txtScadAssicurazione"},
    {235, 48, 45, "SCADENZA BOLLO", "Memo21", "txtScadBollo"},
    {235, 95, 94, "CENTRALINE INSTALLATE", "Memo30", "txtProprietario"},
    {250, 1, 188, "INCIDENTI SUBITI", "Memo2", "txtIncidenti"},
    {265, 1, 188, "NOTE", "titRaccomandazioni", "txtNote", 185.8, 0, true},
};

void addCell(ReportPage &page, const Cell &cell)
{
    const double captionWidth = cell.captionWidth > 0 ? cell.captionWidth : cell.width - 2;
    const double valueWidth = cell.valueWidth > 0 ? cell.valueWidth : cell.width - 2;
    page.add(ReportObject::rectangle({cell.left, cell.top, cell.width, 4.8}, kRoyalBlue, kRoyalBlue));
    page.add(ReportObject::textObject(QString::fromLatin1(cell.captionObject),
                                      {cell.left + 1, cell.top + (cell.raised ? 0.6 : 1.0), captionWidth, 3.6},
                                      QString::fromLatin1(cell.caption))
                 .font(kArial, 8, true)
                 .colours(Qt::white)
                 .align(kLeft));
    page.add(ReportObject::rectangle({cell.left, cell.top + 5, cell.width, 6}, QColor(), Qt::black));
    page.add(ReportObject::textObject(QString::fromLatin1(cell.value),
                                      {cell.left + 1, cell.top + 5 + (cell.raised ? 1.0 : 1.4), valueWidth, 4})
                 .font(kArial, 8)
                 .align(kLeft));
}

}  // namespace

QString reportName()
{
    return QStringLiteral("Scheda Veicolo");
}

Report buildTemplate()
{
    Report report(reportName());
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
    page.add(ReportObject::rectangle({1, 1, 188, 8}, kRoyalBlue, kRoyalBlue)).name = QStringLiteral("shpTitolo");
    page.add(ReportObject::textObject(QStringLiteral("txtNome"), {2, 2.2, 186, 6}, QStringLiteral("SCHEDA VEICOLO"))
                 .font(kArial, 12)
                 .colours(Qt::white)
                 .align(Qt::AlignHCenter | Qt::AlignVCenter));
    page.add(ReportObject::pictureObject(QStringLiteral("imgLogo"), {1, 11, 188, 87}));
    for (const Cell &cell : kCells)
        addCell(page, cell);
    return report;
}

QStringList valueNames()
{
    QStringList names;
    for (const Cell &cell : kCells)
        names << QString::fromLatin1(cell.value);
    return names;
}

bool fill(Report &report, const PrintTexts &texts, const QImage &photo)
{
    bool ok = report.setOrientation(0, QPageLayout::Portrait);
    ok = report.setPicture(QStringLiteral("imgLogo"), photo) && ok;
    for (const QString &name : valueNames())
        ok = report.setText(name, printedText(texts, name)) && ok;
    return ok;
}

}  // namespace AutomezzoReport
