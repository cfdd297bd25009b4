#include "reports/ClienteReport.h"

#include <QPainter>
#include <QPainterPath>

namespace ClienteReport {

namespace {

const QColor kDarkOrange(0xFF, 0x8C, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);
const QString kArial = QStringLiteral("Arial");
constexpr int kRows = 24;

QString boxName(const char *prefix, int row)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString reportName()
{
    return QStringLiteral("Scheda informativa");
}

QString title()
{
    return QStringLiteral("SCHEDA ANAGRAFICA CLIENTE");
}

QImage folderPicture()
{
    // A manila folder with its tab, drawn at a size that prints sharply in its 17 x 13 mm box.
    QImage image(340, 260, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor edge(0xB0, 0x7A, 0x10);
    painter.setPen(QPen(edge, 6));
    painter.setBrush(QColor(0xE8, 0xB4, 0x3C));
    QPainterPath back;
    back.moveTo(12, 40);
    back.lineTo(120, 40);
    back.lineTo(145, 66);
    back.lineTo(328, 66);
    back.lineTo(328, 248);
    back.lineTo(12, 248);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(0xF8, 0xD0, 0x68));
    painter.drawRoundedRect(QRectF(12, 96, 316, 152), 10, 10);
    return image;
}

Report buildTemplate()
{
    Report report(reportName());
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Portrait, 10));
    constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
    constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

    page.add(ReportObject::pictureObject(QStringLiteral("imgLogo"), {3, 3, 17, 13})).picture = folderPicture();
    page.add(ReportObject::textObject(QStringLiteral("txtTitolo"), {23, 3, 165, 9}, QStringLiteral("Titolo Scheda"))
                 .font(kArial, 16)
                 .colours(Qt::white, kDarkOrange)
                 .align(kCentre));
    page.add(ReportObject::horizontalLine(23, 16, 165)).name = QStringLiteral("linSepara01");
    for (int row = 1; row <= kRows; ++row) {
        const double top = 24 + 10 * (row - 1);
        const QString placeholder = QStringLiteral("Campo %1").arg(row);
        page.add(ReportObject::textObject(boxName("titCampo", row), {3, top, 52, 6}, placeholder)
                     .font(kArial, 9)
                     .colours(Qt::white, kTeal)
                     .align(kLeft));
        page.add(ReportObject::textObject(boxName("txtCampo", row), {60, top, 128, 6}, placeholder)
                     .font(kArial, 10)
                     .align(kLeft));
    }
    page.add(ReportObject::horizontalLine(3, 265, 185)).name = QStringLiteral("linSepara02");
    page.add(ReportObject::textObject(QStringLiteral("txtCalce"), {3, 269, 185, 6}, QStringLiteral("Termine scheda"))
                 .font(kArial, 10)
                 .colours(Qt::white, kDarkOrange)
                 .align(kCentre));
    return report;
}

QList<QPair<QString, QString>> rows(const PrintTexts &texts)
{
    const auto text = [&texts](const char *name) { return printedText(texts, QString::fromLatin1(name)); };
    const auto joined = [&text](const char *first, const char *second) {
        return text(first) + QLatin1Char(' ') + text(second);
    };
    return {
        {QStringLiteral("Cognome e nome:"), joined("txtCognome", "txtNome")},
        {QStringLiteral("Data di nascita:"), text("txtDataNasc")},
        {QStringLiteral("Comune di nascita:"), joined("txtComuneNasc", "txtProvNasc")},
        {QStringLiteral("Codice Destinatario:"), text("txtCodiceDest")},
        {QStringLiteral("Telefono preferenziale:"), text("txtRecapito")},
        {QStringLiteral("Indirizzo di residenza:"), text("txtIndirizzoRes")},
        {QStringLiteral("Comune di residenza:"), joined("txtComuneRes", "txtProvRes")},
        {QStringLiteral("Denominazione Ditta:"), text("txtDitta")},
        {QStringLiteral("Tel. casa:"), text("txtTelCasa")},
        {QStringLiteral("Tel. ufficio:"), text("txtTelUff")},
        {QStringLiteral("Tel. cellulare:"), text("txtTelCel")},
        {QStringLiteral("Indirizzo PEC:"), text("txtPec")},
        {QStringLiteral("E-mail:"), text("txtEmail")},
        {QStringLiteral("Codice fiscale:"), text("txtCodFisc")},
        {QStringLiteral("Partita IVA:"), text("txtPartitaIva")},
        {QStringLiteral("Carta di credito:"),
         QStringLiteral("N. ") + text("txtCarta") + QStringLiteral("  -  Scadenza: ") + text("txtScadeCarta")},
        {QStringLiteral("IBAN:"), text("txtIban")},
        {QStringLiteral("Tipo veicolo:"), text("txtVeicolo")},
        {QStringLiteral("Marca e modello:"), text("txtMarca")},
        {QStringLiteral("Targa:"), text("txtTarga")},
        // txtColore holds the chassis number.
        {QStringLiteral("Data immatricolazione:"),
         text("txtImmatricolazione") + QStringLiteral("  -  Telaio: ") + text("txtColore")},
        {QStringLiteral("Alimentazione:"), text("txtAlimentazione")},
        {QStringLiteral("Questioni in sospeso:"), text("txtQuestioni")},
        {QStringLiteral("Note:"), text("txtNote")},
    };
}

bool fill(Report &report, const PrintTexts &texts, const QString &footer)
{
    bool ok = report.setOrientation(0, QPageLayout::Portrait);
    ok = report.setText(QStringLiteral("txtTitolo"), title()) && ok;
    const auto filled = rows(texts);
    for (int row = 1; row <= filled.size(); ++row) {
        ok = report.setText(boxName("titCampo", row), filled.at(row - 1).first) && ok;
        ok = report.setText(boxName("txtCampo", row), filled.at(row - 1).second) && ok;
    }
    ok = report.setText(QStringLiteral("txtCalce"), footer) && ok;
    return ok;
}

}  // namespace ClienteReport
