// The date picker and the date fields of the windows: the picker writes the chosen date into the
// edit its context word names, through the registry of date edits; a date field opens the picker on
// a key or a click and is never typed into.

#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/DateEdits.h"
#include "widgets/EventHooks.h"
#include "widgets/FormHelpers.h"
#include "widgets/MessageBoxes.h"
#include "widgets/TfrmCalendario.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

namespace {

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// Answers every date picker that opens while it lives (none may block the test): the picker is
// handed to `action`, then closed with Annulla if still open. Counts the pickers and keeps the word
// each one received.
class PickerAnswers : public QObject
{
public:
    explicit PickerAnswers(std::function<void(TfrmCalendario *)> action = {}) : m_action(std::move(action))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *picker = qobject_cast<TfrmCalendario *>(QApplication::activeModalWidget());
            if (!picker)
                return;
            words << picker->lblMemory->text();
            if (m_action)
                m_action(picker);
            if (picker->isVisible())
                picker->cmdAnnulla->click();
        });
        m_timer.start(5);
    }

    QStringList words;

private:
    std::function<void(TfrmCalendario *)> m_action;
    QTimer m_timer;
};

}  // namespace

class TestDatePicker : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    // A window with two date fields and a plain edit, chained by Enter.
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_first = nullptr, *m_second = nullptr, *m_plain = nullptr;

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void init()
    {
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_first = new QLineEdit(m_window.get());
        m_second = new QLineEdit(m_window.get());
        m_plain = new QLineEdit(m_window.get());
        for (QLineEdit *edit : {m_first, m_second, m_plain})
            layout->addWidget(edit);
        FormHelpers::setHint(m_first, QStringLiteral("Data di prova."));
        DateEdits::attach(*m_windows, m_window.get(), m_first, QStringLiteral("prova_prima"));
        DateEdits::attach(*m_windows, m_window.get(), m_second, QStringLiteral("prova_seconda"));
        EventHooks::enterChain({m_first, m_second, m_plain});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        MessageBoxes::takeShown();
    }

    void cleanup()
    {
        m_window.reset();
        m_windows.reset();
        m_folder.reset();
    }

    void importaWritesTheDateIntoTheNamedEdit_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QDate>("chosen");  // null: the calendar left as it opened
        QTest::addColumn<QString>("expected");

        const QString today = dateText(QDate::currentDate());
        QTest::newRow("sheet date of issue, today") << "interventi_data" << QDate() << today;
        QTest::newRow("sheet work start") << "interventi_datainizio" << QDate(2026, 2, 3) << "03/02/2026";
        QTest::newRow("sheet work end") << "interventi_datafine" << QDate(2024, 12, 31) << "31/12/2024";
        QTest::newRow("vehicle road tax due") << "autoparco_scadbollo" << QDate(2027, 1, 31) << "31/01/2027";
        QTest::newRow("a window's own date field, today") << "prova_seconda" << QDate() << today;
        QTest::newRow("a window's own date field") << "prova_prima" << QDate(1999, 7, 9) << "09/07/1999";
    }

    void importaWritesTheDateIntoTheNamedEdit()
    {
        QFETCH(QString, word);
        QFETCH(QDate, chosen);
        QFETCH(QString, expected);

        TfrmInterventi *sheet = m_windows->frmInterventi();
        TfrmAutoparco *vehicle = m_windows->frmAutoparco();
        const QList<QLineEdit *> all = {sheet->txtData,
                                        sheet->txtDataInizio,
                                        sheet->txtDataFine,
                                        vehicle->txtLettura,
                                        vehicle->txtScadBollo,
                                        m_first,
                                        m_second,
                                        m_plain};
        for (QLineEdit *edit : all)
            edit->setText(QStringLiteral("01/01/2000"));
        QLineEdit *target = m_windows->dateEdits().find(word);
        QVERIFY(target);

        TfrmCalendario picker(*m_windows, m_window.get());
        picker.lblMemory->setText(word);
        picker.show();
        QCOMPARE(picker.calAppuntamenti->selectedDate(), QDate::currentDate());
        if (chosen.isValid())
            picker.calAppuntamenti->setSelectedDate(chosen);
        QTest::mouseClick(picker.cmdImporta, Qt::LeftButton);

        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(target->text(), expected);
        for (QLineEdit *edit : all) {
            if (edit != target)
                QCOMPARE(edit->text(), QStringLiteral("01/01/2000"));
        }
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void unknownWordDoesNothing_data()
    {
        QTest::addColumn<QString>("word");
        QTest::newRow("no word") << "";
        QTest::newRow("a word of another dialog") << "interventi";
        QTest::newRow("compared exactly") << "Interventi_Data";
        QTest::newRow("a vehicle date misspelt") << "autoparco_letture";
        QTest::newRow("the vehicle search's word") << "autoparco";
    }

    void unknownWordDoesNothing()
    {
        QFETCH(QString, word);

        TfrmInterventi *sheet = m_windows->frmInterventi();
        TfrmAutoparco *vehicle = m_windows->frmAutoparco();
        const QList<QLineEdit *> all = {sheet->txtData,
                                        sheet->txtDataInizio,
                                        sheet->txtDataFine,
                                        vehicle->txtLettura,
                                        vehicle->txtScadBollo,
                                        m_first,
                                        m_second};
        TfrmCalendario picker(*m_windows, m_window.get());
        picker.lblMemory->setText(word);
        picker.show();
        QTest::mouseClick(picker.cmdImporta, Qt::LeftButton);
        QVERIFY(picker.isVisible());
        for (QLineEdit *edit : all)
            QVERIFY(edit->text().isEmpty());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
    }

    void annullaLeavesTheEdit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("empty stays empty") << "";
        QTest::newRow("a date stays") << "05/03/2024";
    }

    void annullaLeavesTheEdit()
    {
        QFETCH(QString, before);

        m_first->setText(before);
        TfrmCalendario picker(*m_windows, m_window.get());
        picker.lblMemory->setText(QStringLiteral("prova_prima"));
        picker.show();
        picker.calAppuntamenti->setSelectedDate(QDate(2020, 1, 2));
        QTest::mouseClick(picker.cmdAnnulla, Qt::LeftButton);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(m_first->text(), before);
    }

    void clickOpensThePicker()
    {
        PickerAnswers answers([](TfrmCalendario *picker) {
            picker->calAppuntamenti->setSelectedDate(QDate(2026, 4, 1));
            picker->cmdImporta->click();
        });
        QTest::mouseClick(m_second, Qt::LeftButton);
        QCOMPARE(answers.words, QStringList{QStringLiteral("prova_seconda")});
        QCOMPARE(m_second->text(), QStringLiteral("01/04/2026"));
        QVERIFY(m_first->text().isEmpty());

        // A plain edit of the same window opens nothing.
        QTest::mouseClick(m_plain, Qt::LeftButton);
        QCOMPARE(answers.words.size(), 1);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("after");  // the text of the field afterwards (it held 05/03/2024)

        const QString kept = QStringLiteral("05/03/2024");
        QTest::newRow("a letter opens, is not typed") << int(Qt::Key_A) << true << kept;
        QTest::newRow("a digit opens, is not typed") << int(Qt::Key_5) << true << kept;
        QTest::newRow("space opens") << int(Qt::Key_Space) << true << kept;
        QTest::newRow("Backspace empties") << int(Qt::Key_Backspace) << false << "";
        QTest::newRow("Delete empties") << int(Qt::Key_Delete) << false << "";
        QTest::newRow("Shift alone passes") << int(Qt::Key_Shift) << false << kept;
        QTest::newRow("Tab passes") << int(Qt::Key_Tab) << false << kept;
        QTest::newRow("Enter moves on") << int(Qt::Key_Return) << false << kept;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, opens);
        QFETCH(QString, after);

        QVERIFY(m_first->isReadOnly());
        m_first->setText(QStringLiteral("05/03/2024"));
        m_first->setFocus();
        QApplication::setActiveWindow(m_window.get());
        PickerAnswers answers;  // each picker answered with Annulla
        QTest::keyClick(m_first, Qt::Key(key));
        QCOMPARE(answers.words, opens ? QStringList{QStringLiteral("prova_prima")} : QStringList{});
        QCOMPARE(m_first->text(), after);
        if (key == Qt::Key_Return)
            QCOMPARE(QApplication::focusWidget(), m_second);
    }

    void hints()
    {
        QCOMPARE(FormHelpers::hintOf(m_first),
                 QStringLiteral("Data di prova (clic o un tasto per scegliere la data)."));
        QCOMPARE(FormHelpers::hintOf(m_second), QStringLiteral("Fare clic o premere un tasto per scegliere la data."));
        QCOMPARE(DateEdits::hintFor(QStringLiteral("Scadenza del bollo")),
                 QStringLiteral("Scadenza del bollo (clic o un tasto per scegliere la data)"));
    }

    void registry()
    {
        DateEdits edits;
        QVERIFY(!edits.find(QStringLiteral("prova")));
        auto *edit = new QLineEdit;
        edits.add(QStringLiteral("prova"), edit);
        QCOMPARE(edits.find(QStringLiteral("prova")), edit);
        QVERIFY(!edits.find(QStringLiteral("Prova")));
        delete edit;
        QVERIFY(!edits.find(QStringLiteral("prova")));  // never a dangling edit
    }
};

QTEST_MAIN(TestDatePicker)
#include "tst_datepicker.moc"
