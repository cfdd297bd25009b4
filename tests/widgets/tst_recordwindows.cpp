// What every record window (sheets, customers, vehicles) promises, checked once over the three: its
// field table binds every record field once, no field takes more typing than the field keeps, a
// record shown comes back unchanged, Save refuses an empty mandatory field, and closing with unsaved
// changes asks first.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/SchedaRecord.h"
#include "customers/TfrmClienti.h"
#include "sheets/TfrmInterventi.h"
#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "vehicles/TfrmAutoparco.h"
#include "widgets/FormBinding.h"
#include "widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

struct RecordWindowCase
{
    const char *name;
    RecordWindow *(*window)(AppWindows &);
    const RecordFormat &(*format)();
    const char *firstMandatory;  // Save's warning on an empty screen
};

const QList<RecordWindowCase> &recordWindowCases()
{
    static const QList<RecordWindowCase> cases = {
        {"schede", [](AppWindows &w) -> RecordWindow * { return w.frmInterventi(); }, &SchedaRecord::format,
         "Attenzione: per salvare la scheda è necessario assegnarle un numero."},
        {"clienti", [](AppWindows &w) -> RecordWindow * { return w.frmClienti(); }, &ClienteRecord::format,
         "Attenzione: per salvare la scheda è necessario indicare il cognome del cliente."},
        {"automezzi", [](AppWindows &w) -> RecordWindow * { return w.frmAutoparco(); }, &AutomezzoRecord::format,
         "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo."},
    };
    return cases;
}

// A text that fills a field of this capacity, different for each field.
QString fieldValue(int field, int capacity)
{
    return QStringLiteral("V%1 ABC").arg(field).repeated(40).left(capacity);
}

}  // namespace

class TestRecordWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;
    RecordWindow *w = nullptr;
    const RecordFormat *m_format = nullptr;

    void openWindow()
    {
        QFETCH(int, index);
        const RecordWindowCase &c = recordWindowCases().at(index);
        m_folder = TestSupport::programFolder();
        m_windows = TestSupport::createWindows(m_folder->path());
        w = c.window(*m_windows);
        m_format = &c.format();
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        MessageBoxes::takeShown();
    }

    static void addWindows()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < recordWindowCases().size(); ++i)
            QTest::newRow(recordWindowCases().at(i).name) << i;
    }

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void cleanup()
    {
        w = nullptr;
        m_windows.reset();
        m_folder.reset();
    }

    void fieldTableBindsEveryFieldOnce_data() { addWindows(); }
    void fieldTableBindsEveryFieldOnce()
    {
        openWindow();
        QCOMPARE(w->binding().missingFields(), QStringList());
        QCOMPARE(w->binding().doubleFields(), QStringList());
    }

    // The check itself: a table that leaves a field out, or binds one twice, is reported.
    void aFieldLeftOutOrBoundTwiceIsReported()
    {
        FormBinding binding(ClienteRecord::format());
        QLineEdit first, second;
        binding.edit(ClienteRecord::fCognome, &first).edit(ClienteRecord::fCognome, &second);
        QCOMPARE(binding.doubleFields(), QStringList{QStringLiteral("Cognome")});
        const QStringList missing = binding.missingFields();
        QCOMPARE(missing.size(), ClienteRecord::FieldCount - 1);
        QVERIFY(missing.contains(QStringLiteral("Nome")));
        QVERIFY(!missing.contains(QStringLiteral("Cognome")));
    }

    void typingNeverExceedsTheFieldsCapacity_data() { addWindows(); }
    void typingNeverExceedsTheFieldsCapacity()
    {
        openWindow();
        for (int i = 0; i < m_format->fieldCount(); ++i) {
            QWidget *control = w->binding().control(i);
            QLineEdit *edit = qobject_cast<QLineEdit *>(control);
            if (auto *combo = qobject_cast<QComboBox *>(control))
                edit = combo->lineEdit();
            if (edit)
                QVERIFY2(edit->maxLength() <= m_format->field(i).capacity, m_format->field(i).name);
        }
    }

    void aRecordShownIsCollectedBackUnchanged_data() { addWindows(); }
    void aRecordShownIsCollectedBackUnchanged()
    {
        openWindow();
        QStringList values;
        for (int i = 0; i < m_format->fieldCount(); ++i) {
            QWidget *control = w->binding().control(i);
            if (qobject_cast<QCheckBox *>(control))
                values.append(QStringLiteral("S\u00EC"));
            else if (qobject_cast<QPlainTextEdit *>(control))
                values.append(QStringLiteral("prima riga\r\nseconda riga"));
            else
                values.append(fieldValue(i, m_format->field(i).capacity));
        }
        w->binding().show(values);
        QCOMPARE(w->binding().collect(), values);
        // Every printed field prints what the screen shows (line breaks as on screen), under its
        // control's name.
        for (const auto &[name, text] : w->binding().printTexts()) {
            int field = 0;
            while (field < m_format->fieldCount() && w->binding().control(field)->objectName() != name)
                ++field;
            QVERIFY2(field < m_format->fieldCount(), qPrintable(name));
            QCOMPARE(text, QString(values.at(field)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
    }

    void saveRefusesAnEmptyMandatoryField_data() { addWindows(); }
    void saveRefusesAnEmptyMandatoryField()
    {
        openWindow();
        QFETCH(int, index);
        w->cmdSalvaClick();
        const auto shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(shown[0].text, QString::fromUtf8(recordWindowCases().at(index).firstMandatory));
        QVERIFY(w->lblPosizione->text().isEmpty());
        QVERIFY(!QFile::exists(w->archivePath()));
    }

    void closingWithUnsavedChangesAsks_data() { addWindows(); }
    void closingWithUnsavedChangesAsks()
    {
        openWindow();
        // Nothing typed: Esci closes without a word.
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());

        // Typed: Annulla stays with the text; No closes and drops it.
        m_windows->showApp(w);
        QApplication::setActiveWindow(w);
        auto *first = qobject_cast<QLineEdit *>(w->binding().control(0));
        QVERIFY(first);
        QTest::keyClicks(first, QStringLiteral("12"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::Cancel);
        w->cmdEsciClick();
        QVERIFY(w->isVisible());
        QCOMPARE(first->text(), QStringLiteral("12"));
        const auto asked = MessageBoxes::takeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, MessageBoxes::Kind::SaveQuestion);
        QCOMPARE(asked[0].text, QStringLiteral("Salvare le modifiche alla scheda?"));
        MessageBoxes::setNextAnswer(MessageBoxes::Answer::No);
        w->cmdEsciClick();
        QVERIFY(!w->isVisible());
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QVERIFY(!QFile::exists(w->archivePath()));
    }
};

QTEST_MAIN(TestRecordWindows)
#include "tst_recordwindows.moc"
