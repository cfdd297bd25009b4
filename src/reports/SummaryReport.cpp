#include "reports/SummaryReport.h"

#include "common/Formats.h"
#include "reports/Report.h"

#include <QTime>

namespace SummaryReport {

namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);
constexpr double kLineUnits = 12.822;
constexpr double kBandExtraUnits = 10;

}  // namespace

QString footerText()
{
    return QStringLiteral("Stampa eseguita in data ") + Formats::todayText() + QStringLiteral(" alle ore ")
           + QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

Report buildTemplate(const QString &reportName)
{
    Report report(reportName);
    ReportPage &page = report.addPage(ReportPage::a4(QPageLayout::Landscape, 10));

    ReportBand &title = page.addBand(ReportBand::Kind::Title, QStringLiteral("Titolo"), 8);
    title.objects.append(ReportObject::textObject(QStringLiteral("txtTitolo"), {2, 1, 273, 5})
                             .font(QStringLiteral("Verdana"), 9, true)
                             .align(Qt::AlignCenter)
                             .colours(Qt::white, kSlateGrey));

    ReportBand &data = page.addBand(ReportBand::Kind::Data, QStringLiteral("MasterData"), kBandExtraUnits * kUnit);
    data.canSplit = true;
    ReportObject body = ReportObject::textObject(QStringLiteral("txtRiepilogo"), {3, 0, 273, 0})
                            .font(QStringLiteral("Courier New"), 8)
                            .align(Qt::AlignLeft | Qt::AlignTop)
                            .wrap(false);
    body.lineSpacing = kLineUnits * kUnit;
    data.objects.append(body);

    ReportBand &footer = page.addBand(ReportBand::Kind::Footer, QStringLiteral("Calce"), 8);
    footer.objects.append(ReportObject::textObject(QStringLiteral("txtPagina"), {3, 2, 272, 5})
                              .font(QStringLiteral("Verdana"), 8, true)
                              .align(Qt::AlignCenter)
                              .colours(Qt::white, kSlateGrey));
    return report;
}

bool fill(Report &report, const QString &title, const QStringList &lines, const QString &footer)
{
    ReportObject *body = report.findObject(QStringLiteral("txtRiepilogo"));
    ReportBand *data = report.findBand(QStringLiteral("MasterData"));
    if (!body || !data || !report.setText(QStringLiteral("txtTitolo"), title)
        || !report.setText(QStringLiteral("txtPagina"), footer))
        return false;
    body->text = lines.join(QLatin1Char('\n'));
    body->rect.setHeight(lines.size() * kLineUnits * kUnit);
    data->height = body->rect.height() + kBandExtraUnits * kUnit;
    return true;
}

}  // namespace SummaryReport
