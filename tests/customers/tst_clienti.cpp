// The customer window driven as a user drives it: typing with its input rules, Enter, the commands,
// the checks and the e-mail button; the archive bytes it writes.

#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "customers/TfrmClienti.h"
#include "customers/TfrmRicontatta.h"
#include "customers/TfrmTrovaClienti.h"
#include "sheets/SchedaFixture.h"
#include "shell/AppWindows.h"
#include "shell/TMisc.h"
#include "support/TestSupport.h"
#include "validators/CheckDialog.h"
#include "validators/TfrmCarta.h"
#include "validators/TfrmCodFisc.h"
#include "validators/TfrmIban.h"
#include "validators/TfrmPartitaIva.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using Kind = MessageBoxes::Kind;

namespace {

const QString kArchive = QStringLiteral("Clienti.pro");

ClienteRecord customerNamed(const QString &surname)
{
    ClienteRecord r;
    r.Cognome = surname;
    r.Nome = QStringLiteral("Anna");
    r.ProvRes = QStringLiteral("XX");  // not one of the listed codes
    r.Ricontatta = QStringLiteral("No");
    r.File01 = QStringLiteral("contratto.pdf");
    r.Desc01 = QStringLiteral("Contratto");
    return r;
}

void appendRecords(const QString &folder, const QList<ClienteRecord> &records)
{
    RecordArchive archive;
    QVERIFY(archive.OpenOrCreate(QDir(folder).filePath(kArchive), ClienteRecord::kSize));
    for (const ClienteRecord &r : records)
        QVERIFY(archive.Append(r.toBytes()) > 0);
}

QByteArray recordBytesAt(const QString &folder, qint64 position)
{
    const QByteArray all = TestSupport::readFile(QDir(folder).filePath(kArchive));
    return all.mid((position - 1) * ClienteRecord::kSize, ClienteRecord::kSize);
}

// The text of the check dialog that a button opens, read while the dialog is up, then closed.
template<typename Dialog>
QString textOfDialogOpenedBy(QAbstractButton *button)
{
    QString seen = QStringLiteral("<no dialog>");
    QTimer::singleShot(0, [&seen] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *open = qobject_cast<Dialog *>(window); open && open->isVisible()) {
                seen = open->template findChildren<QLineEdit *>().value(0)->text();
                open->reject();
            }
        }
        // A dialog of another kind must not stay open either.
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *other = qobject_cast<CheckDialog *>(window); other && other->isVisible())
                other->reject();
        }
    });
    button->click();
    return seen;
}

// Types text key by key as a keyboard does, accented letters and symbols too (QTest::keyClicks only
// knows ASCII).
void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(target, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

}  // namespace

class TestClienti : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    TfrmClienti *w = nullptr;

    QString path(const QString &name) const { return QDir(m_folder->path()).filePath(name); }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        w = m_windows->frmClienti();
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        MessageBoxes::takeShown();
        TMisc::takeOpened();
    }

    void cleanup()
    {
        w = nullptr;
        m_windows.reset();
        m_folder.reset();
    }

    void everyFieldTypedSavedReadBackAndShownAgain()
    {
        QCOMPARE(w->binding().missingFields(), QStringList());
        QCOMPARE(w->binding().doubleFields(), QStringList());

        QStringList typed;
        for (int i = 0; i < ClienteRecord::FieldCount; ++i) {
            QWidget *control = w->binding().control(i);
            // Digits and capitals pass every input rule of every field.
            QString value = QStringLiteral("%1").arg(900000 + i * 37);
            if (auto *combo = qobject_cast<QComboBox *>(control)) {
                QTest::keyClicks(combo, QStringLiteral("mi"));
                value = QStringLiteral("MI");
            } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
                value = value.left(edit->maxLength());
                QTest::keyClicks(edit, value);
            } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
                box->click();
                value = QStringLiteral("S\u00EC");
            } else if (auto *label = qobject_cast<QLabel *>(control)) {
                value = QStringLiteral("allegato%1.pdf").arg(i);
                label->setText(value);
            } else {
                QFAIL("a field has an unknown control");
            }
            typed.append(value);
        }
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));

        const ClienteRecord stored = ClienteRecord::fromBytes(recordBytesAt(m_folder->path(), 1));
        for (int i = 0; i < ClienteRecord::FieldCount; ++i)
            QCOMPARE(stored[i], typed.at(i));

        w->cmdNuovoClick();
        QVERIFY(w->txtCognome->text().isEmpty());
        QVERIFY(w->txtProvRes->currentText().isEmpty());
        QVERIFY(!w->chkRicontatta->isChecked());
        w->cmdPrimoClick();
        const ClienteRecord back = w->RecordFromScreen();
        for (int i = 0; i < ClienteRecord::FieldCount; ++i)
            QCOMPARE(back[i], typed.at(i));
    }

    void inputRules_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("surname refuses set A") << "txtCognome" << QStringLiteral("Rossì & C/<>£°x") << "Ross  Cx";
        QTest::newRow("place of birth takes anything")
            << "txtComuneNasc" << QStringLiteral("Forlì & C°") << QStringLiteral("Forlì & C°");
        QTest::newRow("sex upper-cased") << "txtSesso"
                                         << "f"
                                         << "F";
        QTest::newRow("postcode digits only") << "txtCapRes"
                                              << "8a0 1b2x9"
                                              << "80129";
        QTest::newRow("card digits only") << "txtCarta"
                                          << "4111-1111 x"
                                          << "41111111";
        QTest::newRow("VAT number digits only") << "txtPartitaIva"
                                                << "IT 0123"
                                                << "0123";
        QTest::newRow("tax code trimmed and upper") << "txtCodFisc"
                                                    << " rssmra80a01h501u "
                                                    << "RSSMRA80A01H501U";
        QTest::newRow("plate trimmed and upper") << "txtTarga"
                                                 << "ab 123 cd"
                                                 << "AB123CD";
        QTest::newRow("IBAN upper") << "txtIban"
                                    << "it60x"
                                    << "IT60X";
        QTest::newRow("recipient code refuses set B, not the degree sign")
            << "txtCodiceDest" << QStringLiteral("a°b&è") << QStringLiteral("A°B");
        QTest::newRow("e-mail trimmed") << "txtEmail"
                                        << " a@b.it "
                                        << "a@b.it";
        QTest::newRow("PEC refuses set A") << "txtPec" << QStringLiteral("pèc@x.it") << "pc@x.it";
        QTest::newRow("telephone takes anything") << "txtTelCasa"
                                                  << "081 / 123"
                                                  << "081 / 123";
        QTest::newRow("province trimmed and upper") << "txtProvRes"
                                                    << "na"
                                                    << "NA";
        QTest::newRow("province of birth typed beyond the list") << "txtProvNasc"
                                                                 << "zz"
                                                                 << "ZZ";
    }
    void inputRules()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QWidget *target = w->findChild<QWidget *>(control);
        QVERIFY(target);
        target->setFocus();
        typeText(target, typed);
        const QString text = qobject_cast<QComboBox *>(target) ? qobject_cast<QComboBox *>(target)->currentText()
                                                               : qobject_cast<QLineEdit *>(target)->text();
        QCOMPARE(text, shown);
    }

    void charactersTheArchiveCannotStoreAreRefused()
    {
        w->txtComuneNasc->setFocus();
        for (const QString &key : {QStringLiteral("\u738B"), QStringLiteral(" "), QStringLiteral("\U0001F600"),
                                   QStringLiteral("M"), QStringLiteral("\u00FC"), QStringLiteral("n")}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(w->txtComuneNasc, &press);
        }
        QCOMPARE(w->txtComuneNasc->text(), QStringLiteral(" M\u00FCn"));
        QVERIFY(w->panInfo->text().startsWith(QStringLiteral("Caratter")));
    }

    // Names keep the apostrophe form: an accented letter is refused and the status line says what to
    // type instead; so is a key past the field's capacity.
    void refusedKeysAreExplained()
    {
        w->txtNome->setFocus();
        QTest::keyClicks(w->txtNome, QStringLiteral("Niccol"));
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00F2"));
        QApplication::sendEvent(w->txtNome, &accented);
        QCOMPARE(w->txtNome->text(), QStringLiteral("Niccol"));
        QCOMPARE(w->panInfo->text(),
                 QStringLiteral("Lettere accentate non ammesse in questo campo: scrivere o' al posto di \u00F2"));
        QTest::keyClicks(w->txtNome, QStringLiteral("o'"));
        QCOMPARE(w->txtNome->text(), QStringLiteral("Niccolo'"));
        w->txtCapRes->setFocus();
        QTest::keyClicks(w->txtCapRes, QStringLiteral("201001"));
        QCOMPARE(w->txtCapRes->text(), QStringLiteral("20100"));
        QCOMPARE(w->panInfo->text(), QStringLiteral("Il campo è pieno: contiene al massimo 5 caratteri"));
    }

    // Codes show whole; a long text typed shows its beginning once the focus leaves.
    void codesWholeAndBeginningShown()
    {
        m_windows->showApp(w);
        w->resize(1366, 728);
        QApplication::processEvents();
        const struct
        {
            QLineEdit *edit;
            const char *code;
        } codes[] = {{w->txtCapRes, "20100"},
                     {w->txtCodFisc, "RSSMRA85T10A562S"},
                     {w->txtPartitaIva, "00876220633"},
                     {w->txtCodiceDest, "ABCDEF7"}};
        for (const auto &code : codes) {
            code.edit->setText(QString::fromLatin1(code.code));
            code.edit->setCursorPosition(0);
            const int needed = QFontMetrics(code.edit->font()).horizontalAdvance(code.edit->text());
            const int shown = code.edit->contentsRect().width() - 2 * 3 - 2 * 2;
            QVERIFY2(needed <= shown,
                     qPrintable(code.edit->objectName() + QStringLiteral(": %1 > %2").arg(needed).arg(shown)));
        }
        w->txtMarca->setFocus();
        QTest::keyClicks(w->txtMarca, QStringLiteral("Fiat Panda 1.2 Dynamic Natural Power Van"));
        QCOMPARE(w->txtMarca->cursorPosition(), w->txtMarca->text().size());
        QTest::keyClick(w->txtMarca, Qt::Key_Tab);
        QCOMPARE(w->txtMarca->cursorPosition(), 0);
    }

    void enterChainAndDigitFieldKeys()
    {
        const QStringList chain = {"txtCognome",       "txtNome",
                                   "txtDitta",         "txtSesso",
                                   "txtRecapito",      "txtIndirizzoRes",
                                   "txtProvRes",       "txtComuneRes",
                                   "txtCapRes",        "txtDataNasc",
                                   "txtComuneNasc",    "txtProvNasc",
                                   "txtTelCasa",       "txtTelUff",
                                   "txtTelCel",        "txtPec",
                                   "txtEmail",         "txtCodFisc",
                                   "txtCarta",         "txtScadeCarta",
                                   "txtPartitaIva",    "txtIban",
                                   "txtVeicolo",       "txtMarca",
                                   "txtColore",        "txtImmatricolazione",
                                   "txtAlimentazione", "txtTarga",
                                   "txtQuestioni",     "txtNote",
                                   "txtCodiceDest",    "txtCognome"};
        w->txtCognome->setFocus();
        for (int i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QWidget *focused = QApplication::focusWidget();
            QVERIFY2(focused == w->findChild<QWidget *>(chain[i])
                         || (focused && focused->parentWidget() == w->findChild<QWidget *>(chain[i])),
                     qPrintable(chain[i]));
        }
        // A digits-only field lets the editing and selection keys through and refuses the rest,
        // saying why; Tab still leaves it.
        w->txtCapRes->setFocus();
        QTest::keyClicks(w->txtCapRes, QStringLiteral("123"));
        QTest::keyClick(w->txtCapRes, Qt::Key_Home);
        QCOMPARE(w->txtCapRes->cursorPosition(), 0);
        QTest::keyClick(w->txtCapRes, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(w->txtCapRes->selectedText(), QStringLiteral("123"));
        QTest::keyClicks(w->txtCapRes, QStringLiteral("2010a"));
        QCOMPARE(w->txtCapRes->text(), QStringLiteral("2010"));
        QCOMPARE(w->panInfo->text(),
                 QStringLiteral("In questo campo si scrivono soltanto cifre (da 0 a 9): «a» non è ammesso"));
        QTest::keyClick(w->txtCapRes, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w->txtCapRes->selectedText(), QStringLiteral("2010"));
        QTest::keyClick(w->txtCapRes, Qt::Key_Tab);
        QVERIFY(!w->txtCapRes->hasFocus());
    }

    void saveNewDuplicate()
    {
        // Mandatory fields, blanks only counting as empty.
        QTest::keyClicks(w->txtCognome, QStringLiteral("   "));
        w->cmdSalvaClick();
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Warning);
        QCOMPARE(shown[0].text, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                               "cognome del cliente."));
        QVERIFY(w->txtCognome->hasFocus());
        w->txtCognome->setText(QStringLiteral("Esposito"));
        w->cmdSalvaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown[0].text, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                               "nome del cliente."));
        QVERIFY(!QFile::exists(path(kArchive)));

        // Duplicate before the first save: warning, nothing changes.
        w->txtNome->setText(QStringLiteral("Ciro"));
        w->cmdDuplicaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                                               "soltanto dopo che questa è stata inserita in archivio."));

        // Save appends and stores "No"; a second save overwrites.
        w->lblFile01->setText(QStringLiteral("foto.jpg"));
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(recordBytesAt(m_folder->path(), 1).mid(1502, 3), QByteArray("\x02No", 3));
        w->chkRicontatta->setChecked(true);
        w->cmdSalvaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.last().text, QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                                   "salvate in archivio."));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(ClienteRecord::kSize));
        QCOMPARE(recordBytesAt(m_folder->path(), 1).mid(1502, 3), QByteArray("\x02\x53\xEC", 3));

        // Duplicate keeps the data, drops the attachments and the position; Save appends a copy.
        w->cmdDuplicaClick();
        shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, Kind::Information);
        QCOMPARE(shown[0].text, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                               "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                               "scheda in archivio."));
        QVERIFY(w->lblPosizione->text().isEmpty());
        QVERIFY(w->lblFile01->text().isEmpty());
        QCOMPARE(w->txtCognome->text(), QStringLiteral("Esposito"));
        const QByteArray first = recordBytesAt(m_folder->path(), 1);
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(recordBytesAt(m_folder->path(), 1), first);
        const ClienteRecord copy = ClienteRecord::fromBytes(recordBytesAt(m_folder->path(), 2));
        QCOMPARE(copy.Cognome, QStringLiteral("Esposito"));
        QVERIFY(copy.File01.isEmpty());

        // New empties everything without a word.
        MessageBoxes::takeShown();
        w->cmdNuovoClick();
        QVERIFY(w->txtCognome->text().isEmpty());
        QVERIFY(w->lblPosizione->text().isEmpty());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void browsingShowsStoredRecords()
    {
        w->cmdPrimoClick();
        auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("L'archivio non contiene nessuna scheda."));

        ClienteRecord damaged = customerNamed(QStringLiteral("Bianchi"));
        appendRecords(m_folder->path(), {customerNamed(QStringLiteral("Rossi")), damaged});
        // A flag that is neither "Sì" nor "No" leaves the box as it was.
        QByteArray bytes = TestSupport::readFile(path(kArchive));
        bytes.replace(ClienteRecord::kSize + 1502, 3, QByteArray("\x01X\0", 3));
        QVERIFY(TestSupport::writeFile(path(kArchive), bytes));
        w->chkRicontatta->setChecked(true);
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);  // the ticked box is a change: dropped
        w->cmdAvantiClick();                                    // no position: the first record
        QCOMPARE(MessageBoxes::takeShown().value(0).text, QStringLiteral("Salvare le modifiche alla scheda?"));
        QCOMPARE(w->txtCognome->text(), QStringLiteral("Rossi"));
        QCOMPARE(w->txtProvRes->currentText(), QStringLiteral("XX"));
        QCOMPARE(w->lblFile01->text(), QStringLiteral("contratto.pdf"));
        QVERIFY(!w->chkRicontatta->isChecked());
        w->cmdUltimoClick();
        QCOMPARE(w->txtCognome->text(), QStringLiteral("Bianchi"));
        QVERIFY(!w->chkRicontatta->isChecked());
        w->chkRicontatta->setChecked(true);
        w->cmdAvantiClick();  // on the last record: nothing
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void checkButtonsOpenTheirDialogWithTheTrimmedField()
    {
        w->txtCodFisc->setText(QStringLiteral(" RSSMRA80A01 "));
        QCOMPARE(textOfDialogOpenedBy<TfrmCodFisc>(w->btnCodFisc), QStringLiteral("RSSMRA80A01"));
        // An all-digit tax code is a company's VAT number.
        w->txtCodFisc->setText(QStringLiteral("01234567890"));
        QCOMPARE(textOfDialogOpenedBy<TfrmPartitaIva>(w->btnCodFisc), QStringLiteral("01234567890"));
        w->txtPartitaIva->setText(QStringLiteral("1234"));
        QCOMPARE(textOfDialogOpenedBy<TfrmPartitaIva>(w->btnPartitaIva), QStringLiteral("1234"));
        w->txtCarta->setText(QStringLiteral("4111111111111111"));
        QCOMPARE(textOfDialogOpenedBy<TfrmCarta>(w->btnCarta), QStringLiteral("4111111111111111"));
        w->txtIban->setText(QStringLiteral("IT60X0542811101000000123456"));
        QCOMPARE(textOfDialogOpenedBy<TfrmIban>(w->btnIban), QStringLiteral("IT60X0542811101000000123456"));
    }

    void emailButtonOpensAMessage()
    {
        w->txtEmail->setText(QStringLiteral(" anna@esempio.it"));
        w->btnEmail->click();
        w->txtEmail->clear();
        w->btnEmail->click();
        QCOMPARE(TMisc::takeOpened(),
                 (QStringList{QStringLiteral("\"mailto:anna@esempio.it\""), QStringLiteral("\"mailto:\"")}));
    }

    // Every command that puts another customer (or a new one) in place of the one on screen asks
    // first when the screen holds changes: Annulla keeps the screen, No drops the changes, Sì stores
    // them and goes on.
    void replacingTheCustomerAsksAboutUnsavedChanges_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("target");  // the position the command shows; empty: a new customer
        const QList<QPair<const char *, const char *>> commands = {
            {"Successiva", "3"}, {"Nuovo", ""}, {"Trova", "3"}, {"Ricontatta", "3"}};
        for (const auto &[command, target] : commands) {
            QTest::addRow("%s, Annulla", command) << command << int(MessageBoxes::Answer::Cancel) << target;
            QTest::addRow("%s, No", command) << command << int(MessageBoxes::Answer::No) << target;
            QTest::addRow("%s, Sì", command) << command << int(MessageBoxes::Answer::Yes) << target;
        }
    }
    void replacingTheCustomerAsksAboutUnsavedChanges()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, target);
        QList<ClienteRecord> customers;
        for (const char *surname : {"Rossi", "Bianchi", "Verdi"}) {
            customers.append(customerNamed(QString::fromLatin1(surname)));
            customers.last().Ricontatta = QStringLiteral("S\u00EC");
        }
        appendRecords(m_folder->path(), customers);
        const QByteArray stored = recordBytesAt(m_folder->path(), 2);
        QVERIFY(w->ShowRecordAt(2));
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("richiamare"));
        MessageBoxes::takeShown();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));

        // A list dialog opened by a command: the customer at position 3 double-clicked in it.
        auto openThirdFromList = [](auto prepare) {
            QTimer::singleShot(0, [prepare] {
                auto *dialog = qobject_cast<RecordListDialog *>(QApplication::activeModalWidget());
                if (auto *search = qobject_cast<TfrmTrovaClienti *>(dialog))
                    prepare(search);
                for (int row = 0; dialog && row < dialog->lstRecords->count(); ++row) {
                    if (dialog->lstRecords->positionAt(row) == 3)
                        SchedaFixture::doubleClickRow(dialog->lstRecords, row);
                }
                if (dialog && dialog->isVisible())
                    dialog->reject();
            });
        };
        if (command == QLatin1String("Successiva")) {
            w->cmdAvanti->click();
        } else if (command == QLatin1String("Nuovo")) {
            w->cmdNuovo->click();
        } else if (command == QLatin1String("Trova")) {
            openThirdFromList([](TfrmTrovaClienti *search) { search->btnCerca->click(); });
            w->cmdTrova->click();
        } else {
            openThirdFromList([](TfrmTrovaClienti *) {});
            w->cmdRicontatta->click();
        }

        const auto shown = MessageBoxes::takeShown();
        const bool saved = answer == int(MessageBoxes::Answer::Yes);
        QCOMPARE(shown.size(), saved ? 2 : 1);
        QCOMPARE(shown[0].kind, Kind::SaveQuestion);
        QCOMPARE(shown[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
        QCOMPARE(QFileInfo(path(kArchive)).size(), qint64(3 * ClienteRecord::kSize));
        if (saved)
            QCOMPARE(ClienteRecord::fromBytes(recordBytesAt(m_folder->path(), 2)).Note, QStringLiteral("richiamare"));
        else
            QCOMPARE(recordBytesAt(m_folder->path(), 2), stored);
        if (answer == int(MessageBoxes::Answer::Cancel)) {
            QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
            QCOMPARE(w->txtNote->text(), QStringLiteral("richiamare"));
        } else {
            QCOMPARE(w->lblPosizione->text(), target);
            QCOMPARE(w->txtCognome->text(), target.isEmpty() ? QString() : QStringLiteral("Verdi"));
        }
    }

    // Save over a customer that another workstation saved since it was shown: the user is told and
    // chooses; nothing is overwritten unasked.
    void saveOverACustomerChangedElsewhere_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Annulla") << int(MessageBoxes::Answer::Cancel);
        QTest::newRow("Ricarica") << int(MessageBoxes::Answer::Reload);
        QTest::newRow("Sovrascrivi") << int(MessageBoxes::Answer::Overwrite);
    }
    void saveOverACustomerChangedElsewhere()
    {
        QFETCH(int, answer);
        appendRecords(m_folder->path(), {customerNamed(QStringLiteral("Rossi"))});
        w->cmdPrimo->click();
        QVERIFY(TestSupport::saveOnAnotherWorkstation(
            m_folder->path(), QStringLiteral("clienti"), 1,
            {QStringLiteral("Ricontatta=S\u00EC"), QStringLiteral("Note=richiamato da Anna")}));
        const QByteArray storedElsewhere = recordBytesAt(m_folder->path(), 1);
        w->txtNote->setFocus();
        QTest::keyClicks(w->txtNote, QStringLiteral("nuova nota"));
        MessageBoxes::takeShown();
        MessageBoxes::setNextAnswer(MessageBoxes::Answer(answer));
        w->cmdSalva->click();

        const auto shown = MessageBoxes::takeShown();
        const bool overwritten = answer == int(MessageBoxes::Answer::Overwrite);
        QCOMPARE(shown.size(), overwritten ? 2 : 1);
        QCOMPARE(shown[0].kind, Kind::OverwriteQuestion);
        QVERIFY(shown[0].text.startsWith(QStringLiteral(
            "La scheda del cliente è stata modificata da un'altra postazione dopo che è stata aperta.")));
        if (overwritten)
            QCOMPARE(ClienteRecord::fromBytes(recordBytesAt(m_folder->path(), 1)).Note, QStringLiteral("nuova nota"));
        else
            QCOMPARE(recordBytesAt(m_folder->path(), 1), storedElsewhere);
        const bool reloaded = answer == int(MessageBoxes::Answer::Reload);
        QCOMPARE(w->txtNote->text(), reloaded ? QStringLiteral("richiamato da Anna") : QStringLiteral("nuova nota"));
        QCOMPARE(w->chkRicontatta->isChecked(), reloaded);
    }
};

QTEST_MAIN(TestClienti)
#include "tst_clienti.moc"
