// Developer tool: renders the whole-run windows as they look on a 1366 x 768 laptop screen, to PNG
// files, so that a window can be reviewed without clicking through the program.
//
//   QT_QPA_PLATFORM=offscreen foto-finestre <output folder> [<program folder>]

#include "customers/TfrmClienti.h"
#include "customers/TfrmExpClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "invoicing/TfrmDatiOfficina.h"
#include "invoicing/TfrmFattureEmesse.h"
#include "media/TfrmAllegaCartella.h"
#include "media/TfrmLogo.h"
#include "media/TfrmWebCam.h"
#include "reports/SchedaReport.h"
#include "sheets/TfrmAnteprimaScheda.h"
#include "sheets/TfrmDaSaldare.h"
#include "sheets/TfrmInterventi.h"
#include "sheets/TfrmNumerazione.h"
#include "sheets/TfrmStampaScheda.h"
#include "sheets/TfrmStorico.h"
#include "sheets/TfrmTrovaInterventi.h"
#include "shell/AppWindows.h"
#include "shell/HelpTopics.h"
#include "shell/Startup.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmCambiaPassword.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmInfo.h"
#include "shell/TfrmPassword.h"
#include "shell/TfrmSplash.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"
#include "vehicles/TfrmAnteprimaAutomezzo.h"
#include "vehicles/TfrmAutoparco.h"
#include "vehicles/TfrmExpAutoparco.h"
#include "vehicles/TfrmScadenze.h"
#include "vehicles/TfrmSlideshow_Automezzi.h"
#include "vehicles/TfrmTrovaAutomezzi.h"
#include "widgets/ReportPreview.h"
#include "widgets/TfrmCalendario.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void save(QWidget *window, const QString &folder, const QString &name, bool maximised)
{
    if (maximised)
        window->resize(1366, 768 - 24);
    window->show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    window->grab().save(file);
    std::printf("%s\n", qPrintable(file));
    window->hide();
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::prepare(app);
    if (argc < 2) {
        std::fprintf(stderr, "uso: foto-finestre <cartella di uscita> [<cartella del programma>]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir scratch;
    AppWindows windows(argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path());
    windows.setEndHandler([] {});
    windows.create();
    save(windows.frmPassword(), out, QStringLiteral("TfrmPassword"), false);
    save(windows.frmCambiaPassword(), out, QStringLiteral("TfrmCambiaPassword"), false);
    save(windows.frmAvvio(), out, QStringLiteral("TfrmAvvio"), true);
    windows.frmInterventi()->FormShow();
    save(windows.frmInterventi(), out, QStringLiteral("TfrmInterventi"), true);
    save(windows.frmClienti(), out, QStringLiteral("TfrmClienti"), true);
    save(windows.frmAutoparco(), out, QStringLiteral("TfrmAutoparco"), true);

    // Dialogs, as they look when opened (not run modally).
    QWidget *sheet = windows.frmInterventi();
    TfrmNumerazione numerazione(windows, sheet);
    save(&numerazione, out, QStringLiteral("TfrmNumerazione"), false);
    TfrmCalendario calendario(windows, sheet);
    save(&calendario, out, QStringLiteral("TfrmCalendario"), false);
    TfrmStampaScheda stampa(windows, sheet);
    save(&stampa, out, QStringLiteral("TfrmStampaScheda"), false);
    TfrmAnteprimaScheda anteprima(windows, sheet);
    save(&anteprima, out, QStringLiteral("TfrmAnteprimaScheda"), false);
    TfrmLogo logo(windows, sheet);
    save(&logo, out, QStringLiteral("TfrmLogo"), false);
    TfrmCodFisc codFisc(sheet);
    save(&codFisc, out, QStringLiteral("TfrmCodFisc"), false);
    TfrmPartitaIva partitaIva(sheet);
    save(&partitaIva, out, QStringLiteral("TfrmPartitaIva"), false);
    TfrmCarta carta(sheet);
    save(&carta, out, QStringLiteral("TfrmCarta"), false);
    TfrmIban iban(sheet);
    save(&iban, out, QStringLiteral("TfrmIban"), false);
    QMessageBox message(QMessageBox::Warning, QStringLiteral("Cablora"),
                        QStringLiteral("Attenzione: il campo Cliente è obbligatorio."),
                        QMessageBox::Ok | QMessageBox::Cancel, windows.frmClienti());
    save(&message, out, QStringLiteral("QMessageBox"), false);
    TfrmGuida guida(windows, windows.frmAvvio());
    guida.setTopic(HelpTopics::launcher());
    save(&guida, out, QStringLiteral("TfrmGuida"), false);
    TfrmInfo info(windows, windows.frmAvvio());
    save(&info, out, QStringLiteral("TfrmInfo"), false);
    TfrmSplash splash(windows, windows.frmAvvio());
    save(&splash, out, QStringLiteral("TfrmSplash"), false);
    TfrmTrovaClienti trovaClienti(windows, windows.frmClienti());
    save(&trovaClienti, out, QStringLiteral("TfrmTrovaClienti"), false);
    TfrmTrovaAutomezzi trovaAutomezzi(windows, windows.frmAutoparco());
    save(&trovaAutomezzi, out, QStringLiteral("TfrmTrovaAutomezzi"), false);
    TfrmTrovaInterventi trovaInterventi(windows, sheet);
    save(&trovaInterventi, out, QStringLiteral("TfrmTrovaInterventi"), false);
    TfrmDaSaldare daSaldare(windows, sheet);
    save(&daSaldare, out, QStringLiteral("TfrmDaSaldare"), false);
    TfrmRicontatta ricontatta(windows, windows.frmClienti());
    save(&ricontatta, out, QStringLiteral("TfrmRicontatta"), false);
    TfrmDatiOfficina datiOfficina(windows, sheet);
    save(&datiOfficina, out, QStringLiteral("TfrmDatiOfficina"), false);
    TfrmFattureEmesse fattureEmesse(windows, sheet);
    save(&fattureEmesse, out, QStringLiteral("TfrmFattureEmesse"), false);
    ReportPreview preview(SchedaReport::buildTemplate().prepare(), sheet);
    save(&preview, out, QStringLiteral("ReportPreview"), true);
    TfrmExpClienti expClienti(windows, windows.frmClienti());
    save(&expClienti, out, QStringLiteral("TfrmExpClienti"), false);
    TfrmExpAutoparco expAutoparco(windows, windows.frmAutoparco());
    save(&expAutoparco, out, QStringLiteral("TfrmExpAutoparco"), false);
    TfrmAllegaCartella allega(windows, windows.frmClienti());
    allega.setTexts(QStringLiteral("carta_identita.pdf"), QStringLiteral("Carta d'identità"), QString(), QString(),
                    QString(), QString());
    save(&allega, out, QStringLiteral("TfrmAllegaCartella"), false);
    TfrmSlideshow_Automezzi slideshow(windows, windows.frmAutoparco());
    save(&slideshow, out, QStringLiteral("TfrmSlideshow_Automezzi"), true);
    TfrmScadenze scadenze(windows, windows.frmAutoparco());
    save(&scadenze, out, QStringLiteral("TfrmScadenze"), false);
    TfrmStorico storico(windows, windows.frmAutoparco());
    storico.lblTarga->setText(QStringLiteral("AB123CD"));
    save(&storico, out, QStringLiteral("TfrmStorico"), false);
    TfrmWebCam webcam(windows, sheet);
    save(&webcam, out, QStringLiteral("TfrmWebCam"), false);
    TfrmAnteprimaAutomezzo vehiclePreview(windows, windows.frmAutoparco());
    save(&vehiclePreview, out, QStringLiteral("TfrmAnteprimaAutomezzo"), false);
    ReportPreview customerSheet(windows.frmClienti()->prepareSheet(), windows.frmClienti());
    save(&customerSheet, out, QStringLiteral("SchedaInformativa"), true);
    if (const auto vehicleSheet = windows.frmAutoparco()->prepareSheet(windows.frmAutoparco()->imgBianco)) {
        ReportPreview vehicle(*vehicleSheet, windows.frmAutoparco());
        save(&vehicle, out, QStringLiteral("SchedaVeicolo"), true);
    }
    return 0;
}
