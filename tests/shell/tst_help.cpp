// The help topics, the help, information and maker's windows with their links, and the manual
// Guida.pdf made from the same paragraphs.

#include "reports/PdfWords.h"
#include "shell/AppWindows.h"
#include "shell/HelpManual.h"
#include "shell/HelpTopics.h"
#include "shell/TMisc.h"
#include "shell/TfrmAvvio.h"
#include "shell/TfrmGuida.h"
#include "shell/TfrmInfo.h"
#include "shell/TfrmSplash.h"
#include "support/TestSupport.h"
#include "widgets/LinkLabel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

HelpTopics::Topic topicNamed(const QString &name)
{
    if (name == QLatin1String("launcher"))
        return HelpTopics::launcher();
    if (name == QLatin1String("customers"))
        return HelpTopics::customers();
    if (name == QLatin1String("vehicles"))
        return HelpTopics::vehicles();
    if (name == QLatin1String("sheets"))
        return HelpTopics::sheets();
    if (name == QLatin1String("customerExport"))
        return HelpTopics::customerExport();
    return HelpTopics::vehicleExport();
}

const QStringList kTopicNames = {QStringLiteral("launcher"),       QStringLiteral("customers"),
                                 QStringLiteral("vehicles"),       QStringLiteral("sheets"),
                                 QStringLiteral("customerExport"), QStringLiteral("vehicleExport")};

// The beginning of every paragraph of each help topic, in the topic's order. A topic may hold more
// paragraphs than these, but none of these may go missing or change places.
const QStringList kCustomersBeginnings = {
    "L'app Anagrafica Clienti è utile per velocizzare la compilazione delle schede di intervento",
    "Nell'archivio anagrafico è possibile annotare",
    "La scheda del cliente consente, inoltre, di registrare le informazioni relative all'automezzo",
    "Per inserire una scheda in archivio",
    "Se esistono importanti questioni in sospeso con il cliente",
    "Il pulsante Duplica è utile se si ha bisogno",
    "Per trovare le schede dei clienti in archivio",
    "La funzione Allega file consente di abbinare alla scheda di ciascun cliente fino a tre file",
    "Appositi pulsanti consentono di controllare la validità",
    "La scheda di ogni singolo cliente può essere stampata su carta o salvata in un file PDF, mentre "
    "l'intero archivio può essere esportato in un file di Excel.",
};

const QStringList kVehiclesBeginnings = {
    "L'app Parco Automezzi permette di creare una dettagliata scheda descrittiva di ogni mezzo",
    "E' inoltre possibile annotare gli incidenti subiti",
    "Per registrare una nuova scheda, è sufficiente fare clic sul pulsante Nuovo",
    "Per aggiornare una scheda esistente, bisogna richiamarla",
    "Il pulsante Carica foto permette di inserire l'immagine del veicolo in formato Jpeg o Bitmap",
    "Il pulsante Slide Show mostra in sequenza ad intervalli di sei secondi",
    "Il pulsante Duplica è utile se si deve registrare la scheda di un nuovo veicolo che ha molti "
    "elementi in comune con quella di un veicolo già in archivio. A tal fine",
    "Il programma consente di allegare a ciascuna scheda file esterni di qualsiasi genere",
    "Il pulsante Trova consente di effettuare ricerche avanzate in archivio",
    "L'utente addetto all'archiviazione delle schede dei veicoli ha la possibilità di aggiornare la "
    "data di scadenza",
    "La scheda tecnica descrittiva completa di foto di ciascun veicolo può essere visualizzata in "
    "anteprima o stampata su carta",
};

const QStringList kSheetsBeginnings = {
    "L'app Schede Interventi è studiata per l'emissione",
    "Per registrare una nuova scheda, bisogna fare clic",
    "Per aggiornare una scheda esistente, basta richiamarla",
    "Quando si preme il pulsante Nuovo",
    "Nella scheda vanno riportati i dati del mezzo",
    "Il pulsante Duplica è utile se si deve registrare la scheda di un nuovo veicolo che ha molti "
    "elementi in comune con quella di un veicolo già in archivio, oppure",
    "E' possibile indicare lo stato di avanzamento dei lavori",
    "A pagina 2, ossia sul retro del foglio A4",
    "A ciascuna scheda di intervento è possibile allegare file esterni",
    "La casella Pagato, se spuntata",
    "La funzione Trova permette di creare riepiloghi",
    "Le singole schede di intervento complete di foto possono essere stampate",
};

const QString kSavingParagraph = QStringLiteral(
    "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi.");
const QString kGridWindowBeginning = QStringLiteral(
    "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di Excel");
const QString kPasswordBeginning = QStringLiteral("L'accesso al software è protetto da una password");

// The launcher's topic is the whole manual: an introduction, the three apps' sections, and the
// closing paragraphs on the network, the USB stick and the password.
const QStringList kLauncherBeginnings =
    QStringList{QStringLiteral("Cablora è un software rivolto alle officine di elettrauto")} + kCustomersBeginnings
    + kVehiclesBeginnings + kSheetsBeginnings
    + QStringList{QStringLiteral("Il software funziona anche in una rete locale"),
                  QStringLiteral("Cablora può essere utilizzato anche su chiavetta USB."), kPasswordBeginning,
                  QStringLiteral("Cablora è quindi lo strumento ideale")};

const QStringList kCustomerExportBeginnings = {
    "Il pulsante Esporta archivio consente di esportare i dati anagrafici di tutti i clienti in un "
    "foglio di lavoro di Excel",
    kGridWindowBeginning,
    kSavingParagraph,
};

const QStringList kVehicleExportBeginnings = {
    "Il pulsante Esporta archivio consente di esportare tutti i veicoli registrati nel parco "
    "automezzi in un foglio di lavoro di Microsoft Excel",
    kGridWindowBeginning,
    kSavingParagraph,
};

// The first paragraph of a topic that begins so; empty when none does.
QString paragraphBeginning(const HelpTopics::Topic &topic, const QString &begins)
{
    for (const QString &paragraph : topic.paragraphs) {
        if (paragraph.startsWith(begins))
            return paragraph;
    }
    return {};
}

// The text of a PDF without the foot of its pages (the manual's name and the page number), words
// separated by single blanks: a paragraph continued on the next page reads as one run of words.
QString bodyText(const QList<PdfWords::Page> &pages, int fromPage = 0)
{
    QStringList words;
    for (int i = fromPage; i < pages.size(); ++i) {
        const PdfWords::Page &page = pages.at(i);
        for (const PdfWords::Word &word : page.words) {
            if (word.box.top() < page.size.height() - 20)  // above the bottom margin
                words << word.text;
        }
    }
    return words.join(QLatin1Char(' '));
}

// The window a test drives, with its link and the icon that belongs to the link.
struct LinkWindow
{
    std::unique_ptr<QWidget> window;
    LinkLabel *link = nullptr;
    QWidget *icon = nullptr;
    QString opened;  // what a click hands to the desktop
};

LinkWindow makeLinkWindow(const QString &kind, AppWindows &windows)
{
    LinkWindow made;
    if (kind == QLatin1String("guida")) {
        auto *guida = new TfrmGuida(windows);
        made.window.reset(guida);
        made.link = guida->lnkWeb;
        made.icon = guida->imgPDF;
        made.opened = QLatin1Char('"') + windows.programFolder() + QStringLiteral("/Guida.pdf\"");
    } else if (kind == QLatin1String("info")) {
        auto *info = new TfrmInfo(windows);
        made.window.reset(info);
        made.link = info->lnkWeb;
        made.icon = info->imgEmail;
        made.opened = QStringLiteral("\"mailto:assistenza@cablora.example\"");
    } else {
        auto *splash = new TfrmSplash(windows);
        made.window.reset(splash);
        made.link = splash->lnkWeb;
        made.icon = splash->imgWeb;
        made.opened = QStringLiteral("https://www.cablora.example");
    }
    return made;
}

}  // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    // ---- topics ------------------------------------------------------------------------------------

    void topicTable_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("title");
        QTest::newRow("launcher") << "launcher"
                                  << "Uno sguardo a Cablora";
        QTest::newRow("customers") << "customers"
                                   << "App Anagrafica Clienti";
        QTest::newRow("vehicles") << "vehicles"
                                  << "App Parco Automezzi";
        QTest::newRow("sheets") << "sheets"
                                << "App Schede Interventi";
        QTest::newRow("customer export") << "customerExport"
                                         << "Esportazione archivio clienti in Excel";
        QTest::newRow("vehicle export") << "vehicleExport"
                                        << "Esportazione archivio veicoli in Excel";
    }

    // Title, and a text made of whole paragraphs separated by CR LF CR LF.
    void topicTable()
    {
        QFETCH(QString, topic);
        QFETCH(QString, title);
        const HelpTopics::Topic help = topicNamed(topic);
        QCOMPARE(help.title, title);
        QVERIFY(!help.paragraphs.isEmpty());
        const qsizetype paragraphs = help.paragraphs.size();
        for (const QString &paragraph : help.paragraphs) {
            QVERIFY2(!paragraph.trimmed().isEmpty(), qPrintable(topic));
            QCOMPARE(paragraph, paragraph.trimmed());
            QVERIFY2(!paragraph.contains(QLatin1Char('\r')) && !paragraph.contains(QLatin1Char('\n')),
                     qPrintable(paragraph.left(40)));
            QVERIFY2(paragraph.endsWith(QLatin1Char('.')), qPrintable(paragraph.right(40)));
        }
        const QString text = help.text();
        QCOMPARE(text.split(QStringLiteral("\r\n\r\n")), help.paragraphs);
        QVERIFY(!text.contains(QStringLiteral("\r\n\r\n\r\n")));
        QCOMPARE(text.count(QLatin1Char('\n')), 2 * (paragraphs - 1));
    }

    void paragraphsInOrder_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QStringList>("beginnings");
        QTest::newRow("launcher") << "launcher" << kLauncherBeginnings;
        QTest::newRow("customers") << "customers" << kCustomersBeginnings;
        QTest::newRow("vehicles") << "vehicles" << kVehiclesBeginnings;
        QTest::newRow("sheets") << "sheets" << kSheetsBeginnings;
        QTest::newRow("customer export") << "customerExport" << kCustomerExportBeginnings;
        QTest::newRow("vehicle export") << "vehicleExport" << kVehicleExportBeginnings;
    }

    // Every expected paragraph is in the topic, each after the one before it.
    void paragraphsInOrder()
    {
        QFETCH(QString, topic);
        QFETCH(QStringList, beginnings);
        const QStringList paragraphs = topicNamed(topic).paragraphs;
        qsizetype next = 0;
        for (const QString &begins : beginnings) {
            while (next < paragraphs.size() && !paragraphs.at(next).startsWith(begins))
                ++next;
            QVERIFY2(next < paragraphs.size(), qPrintable(QStringLiteral("missing or out of order: ") + begins));
            ++next;
        }
    }

    // Paragraphs given whole stand alone; the export's saving paragraph is only that sentence.
    void wholeParagraphs()
    {
        QCOMPARE(HelpTopics::customers().paragraphs.last(),
                 QStringLiteral("La scheda di ogni singolo cliente può essere stampata su carta o salvata in un "
                                "file PDF, mentre l'intero archivio può essere esportato in un file di Excel."));
        QCOMPARE(HelpTopics::customerExport().paragraphs.last(),
                 QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                                "assegnandogli un nome qualsiasi."));
        QCOMPARE(HelpTopics::vehicleExport().paragraphs.last(), HelpTopics::customerExport().paragraphs.last());
        QVERIFY(paragraphBeginning(HelpTopics::customerExport(), kGridWindowBeginning)
                    .contains(QStringLiteral("Clienti.xls")));
        QVERIFY(paragraphBeginning(HelpTopics::vehicleExport(), kGridWindowBeginning)
                    .contains(QStringLiteral("Parco_Automezzi.xls")));
        // The first password, which the initial password store holds.
        QVERIFY(
            paragraphBeginning(HelpTopics::launcher(), kPasswordBeginning).contains(QStringLiteral("portierasicura")));
    }

    void appTopicsAreLauncherSections_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("customers") << "customers";
        QTest::newRow("vehicles") << "vehicles";
        QTest::newRow("sheets") << "sheets";
    }

    // Each app's topic is one unbroken run of the launcher's paragraphs, after its introduction.
    void appTopicsAreLauncherSections()
    {
        QFETCH(QString, topic);
        const QStringList app = topicNamed(topic).paragraphs;
        const QStringList launcher = HelpTopics::launcher().paragraphs;
        const qsizetype first = launcher.indexOf(app.value(0));
        QVERIFY2(first > 0, qPrintable(app.value(0).left(80)));
        QCOMPARE(app, launcher.mid(first, app.size()));
    }

    // ---- help window -------------------------------------------------------------------------------

    void helpWindow()
    {
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        TfrmGuida guida(*windows);
        QCOMPARE(guida.windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
        QCOMPARE(guida.lblTitolo->text(), QStringLiteral("Argomento della guida"));
        QVERIFY(!(guida.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(guida.lblTitolo->font().family(), QStringLiteral("Arial"));
        QCOMPARE(guida.lblTitolo->font().pointSize(), 16);
        QVERIFY(guida.lblTitolo->font().bold());
        QCOMPARE(guida.txtGuida->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(guida.txtGuida->font().pointSize(), 12);
        QVERIFY(guida.txtGuida->font().bold());
        QCOMPARE(guida.txtGuida->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(guida.lnkWeb->text(), QStringLiteral("Visualizza guida in formato PDF"));
        QCOMPARE(guida.btnChiudi->text(), QStringLiteral("Chiudi"));

        const HelpTopics::Topic topic = HelpTopics::sheets();
        guida.setTopic(topic);
        guida.show();
        QVERIFY(QTest::qWaitForWindowExposed(&guida));
        QCOMPARE(guida.lblTitolo->text(), topic.title);
        // The memo shows the paragraphs with one empty line between them.
        QCOMPARE(guida.txtGuida->toPlainText(), topic.paragraphs.join(QStringLiteral("\n\n")));
        QCOMPARE(guida.txtGuida->document()->blockCount(), 2 * topic.paragraphs.size() - 1);

        // The memo cannot be edited.
        QVERIFY(guida.txtGuida->isReadOnly());
        guida.txtGuida->setFocus();
        QTest::keyClicks(guida.txtGuida, QStringLiteral("xyz"));
        QTest::keyClick(guida.txtGuida, Qt::Key_Delete);
        QTest::keyClick(guida.txtGuida, Qt::Key_Backspace);
        QCOMPARE(guida.txtGuida->toPlainText(), topic.paragraphs.join(QStringLiteral("\n\n")));

        QTest::mouseClick(guida.btnChiudi, Qt::LeftButton);
        QVERIFY(!guida.isVisible());
        QCOMPARE(guida.result(), int(QDialog::Accepted));
    }

    // The same client area whichever window opens it.
    void helpWindowSize_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::newRow("no parent") << "";
        QTest::newRow("maximised launcher") << "launcher";
        QTest::newRow("small window") << "small";
    }

    void helpWindowSize()
    {
        QFETCH(QString, parent);
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        QWidget small;
        QWidget *owner = nullptr;
        if (parent == QLatin1String("launcher")) {
            owner = windows->frmAvvio();
            owner->resize(1366, 744);
            owner->show();
        } else if (parent == QLatin1String("small")) {
            small.resize(200, 150);
            small.show();
            owner = &small;
        }
        TfrmGuida guida(*windows, owner);
        guida.setTopic(HelpTopics::launcher());
        guida.show();
        QVERIFY(QTest::qWaitForWindowExposed(&guida));
        QCOMPARE(guida.size(), QSize(670, 572));
        QCOMPARE(guida.minimumSize(), QSize(670, 572));
        QCOMPARE(guida.maximumSize(), QSize(670, 572));
        // Centred on the screen, not on the window that opened it.
        const QRect screen = guida.screen()->availableGeometry();
        QVERIFY(qAbs(guida.frameGeometry().center().x() - screen.center().x()) <= 2);
        QVERIFY(qAbs(guida.frameGeometry().center().y() - screen.center().y()) <= 2);
    }

    // What every help button calls: a modal help window on the topic, over the caller.
    void showTopicOpensModalWindow()
    {
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        QWidget *caller = windows->frmAvvio();
        caller->show();
        QString title;
        QString text;
        QWidget *owner = nullptr;
        QTimer::singleShot(0, [&] {
            auto *guida = qobject_cast<TfrmGuida *>(QApplication::activeModalWidget());
            if (!guida)
                return;
            title = guida->lblTitolo->text();
            text = guida->txtGuida->toPlainText();
            owner = guida->parentWidget();
            guida->btnChiudi->click();
        });
        TfrmGuida::showTopic(*windows, HelpTopics::vehicles(), caller);
        QCOMPARE(title, QStringLiteral("App Parco Automezzi"));
        QCOMPARE(text, HelpTopics::vehicles().paragraphs.join(QStringLiteral("\n\n")));
        QCOMPARE(owner, caller);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // ---- links -------------------------------------------------------------------------------------

    void links_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("onIcon");
        for (const char *window : {"guida", "info", "splash"}) {
            QTest::addRow("%s, link text", window) << QString::fromLatin1(window) << false;
            QTest::addRow("%s, icon", window) << QString::fromLatin1(window) << true;
        }
    }

    // Dark blue, orange while a button is held down on the link or its icon, dark blue again after;
    // a click hands the link's target to the desktop and the window stays open (with Guida.pdf
    // missing, only the desktop would complain).
    void links()
    {
        QFETCH(QString, window);
        QFETCH(bool, onIcon);
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        LinkWindow made = makeLinkWindow(window, *windows);
        made.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(made.window.get()));
        TMisc::takeOpened();

        QWidget *target = onIcon ? made.icon : static_cast<QWidget *>(made.link);
        const QColor darkBlue(0xFF00008B);
        const QColor orange(0xFFFFA500);
        QCOMPARE(made.link->textColour(), darkBlue);
        QVERIFY(made.link->font().underline());
        QCOMPARE(made.link->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(made.link->font().pointSize(), 14);

        QTest::mousePress(target, Qt::LeftButton);
        QCOMPARE(made.link->textColour(), orange);
        QVERIFY(TMisc::takeOpened().isEmpty());
        QTest::mouseRelease(target, Qt::LeftButton);
        QCOMPARE(made.link->textColour(), darkBlue);
        QCOMPARE(TMisc::takeOpened(), QStringList{made.opened});
        QVERIFY(made.window->isVisible());

        // Another button held down turns it orange too, but only a left click opens.
        QTest::mousePress(target, Qt::RightButton);
        QCOMPARE(made.link->textColour(), orange);
        QTest::mouseRelease(target, Qt::RightButton);
        QCOMPARE(made.link->textColour(), darkBlue);
        QVERIFY(TMisc::takeOpened().isEmpty());
    }

    void informationAndMakerWindows()
    {
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        TfrmInfo info(*windows);
        QCOMPARE(info.windowTitle(), QStringLiteral(" Informazioni su Cablora"));
        QCOMPARE(info.lnkWeb->text(), QStringLiteral("assistenza@cablora.example"));
        QCOMPARE(TfrmInfo::mailTarget(), QStringLiteral("\"mailto:assistenza@cablora.example\""));
        QVERIFY(!(info.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

        QWidget *launcher = windows->frmAvvio();
        launcher->resize(1366, 744);
        launcher->show();
        TfrmSplash splash(*windows, launcher);
        QVERIFY(splash.windowTitle().contains(QStringLiteral("Cablora")));
        QVERIFY(splash.windowTitle().contains(HelpTopics::makerName()));
        QCOMPARE(splash.imgSplash->pixmap().size(), QSize(625, 380));
        QCOMPARE(splash.lnkWeb->text(), QStringLiteral("www.cablora.example"));
        QVERIFY(!(splash.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(qAbs(splash.frameGeometry().center().x() - launcher->frameGeometry().center().x()) <= 2);

        for (QDialog *dialog : {static_cast<QDialog *>(&info), static_cast<QDialog *>(&splash)}) {
            dialog->show();
            dialog->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->click();
            QVERIFY(!dialog->isVisible());
        }
    }

    // ---- manual ------------------------------------------------------------------------------------

    // The manual: a title page, a table of contents whose page numbers lead to the chapters, and
    // every paragraph of every topic, with the windows' pictures.
    void manual()
    {
        auto dir = TestSupport::programFolder();
        auto windows = TestSupport::createWindows(dir->path());
        TfrmGuida guida(*windows);
        guida.setTopic(HelpTopics::launcher());
        guida.show();
        QVERIFY(QTest::qWaitForWindowExposed(&guida));
        HelpManual::Pictures pictures;
        pictures.windows.insert(QStringLiteral("TfrmGuida"), guida.grab().toImage());
        pictures.windows.insert(QStringLiteral("TfrmAvvio"), QImage(QSize(1366, 744), QImage::Format_RGB32));

        const QString path = HelpTopics::manualPath(dir->path());
        QCOMPARE(path, dir->path() + QStringLiteral("/Guida.pdf"));
        QVERIFY(HelpManual::write(path, pictures));
        checkManual(path);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(TestSupport::readFile(path).count("/Subtype /Image") >= 2);

        // Writing again replaces the file.
        QVERIFY(HelpManual::write(path, {}));
        checkManual(path);
    }

    // The build tool writes the manual with the pictures of the real windows into a given folder.
    void manualTool()
    {
        const QString tool = QStringLiteral(CABLORA_TEST_HELPER_DIR "/../crea-guida");
        QVERIFY2(QFileInfo::exists(tool), "crea-guida is not built");
        auto dir = TestSupport::programFolder();
        const QString folder = dir->path() + QStringLiteral("/programma");
        QProcess process;
        process.start(tool, {folder});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 0);
        const QString path = folder + QStringLiteral("/Guida.pdf");
        checkManual(path);
        if (QTest::currentTestFailed())
            return;
        // One picture per window pictured, and the cover.
        QVERIFY(TestSupport::readFile(path).count("/Subtype /Image") >= HelpManual::illustrations().size() + 1);
    }

private:
    void checkManual(const QString &path)
    {
        const QList<PdfWords::Page> pages = PdfWords::read(path);
        QVERIFY2(pages.size() >= 8, qPrintable(QString::number(pages.size())));
        for (const PdfWords::Page &page : pages)
            QVERIFY(qAbs(page.size.width() - 210) < 1 && qAbs(page.size.height() - 297) < 1);

        QVERIFY(pages.at(0).text().contains(QStringLiteral("Guida all'utilizzo del software")));
        QVERIFY(pages.at(0).text().contains(QStringLiteral("Versione 1.0")));

        // Table of contents on page 2: each chapter's title and the page it starts on.
        const PdfWords::Page &contents = pages.at(1);
        QVERIFY(contents.text().startsWith(QStringLiteral("Indice")));
        const QList<HelpManual::Chapter> chapters = HelpManual::chapters();
        QCOMPARE(chapters.size(), 6);
        int previous = 2;
        for (int i = 0; i < chapters.size(); ++i) {
            const QString title = chapters.at(i).title;
            QCOMPARE(title, HelpTopics::all().at(i).title);
            const QRectF box = contents.find(title);
            QVERIFY2(!box.isNull(), qPrintable(title));
            // The page number is the word at the right end of the title's line.
            int number = 0;
            for (const PdfWords::Word &word : contents.words) {
                if (word.box.left() > box.right() && qAbs(word.box.center().y() - box.center().y()) < 2)
                    number = word.text.toInt();
            }
            QVERIFY2(number > previous, qPrintable(title));
            previous = number;
            QVERIFY2(number <= pages.size(), qPrintable(title));
            const PdfWords::Page &first = pages.at(number - 1);
            const QRectF heading = first.find(title);
            QVERIFY2(!heading.isNull() && heading.top() < 60, qPrintable(title));
            QVERIFY(first.text().startsWith(QStringLiteral("Capitolo %1").arg(i + 1)));
        }

        // Every paragraph of every topic, word for word.
        const QString body = bodyText(pages, 2);
        for (const HelpTopics::Topic &topic : HelpTopics::all()) {
            for (const QString &paragraph : topic.paragraphs)
                QVERIFY2(body.contains(paragraph.simplified()), qPrintable(paragraph.left(80)));
        }
        // Nothing is printed twice: the launcher's chapter leaves the app sections to their chapters.
        const QString sample = HelpTopics::sheets().paragraphs.at(3).simplified();
        QCOMPARE(body.count(sample), 1);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
