// Which keystrokes a field refuses, and the sentence that tells the user why and what to type instead.

#include "common/KeyFilters.h"
#include "support/TestSupport.h"

#include <QtTest>

using KeyFilters::Refusal;
using KeyFilters::Refuse;

class TestKeyFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void verdicts_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refusal");

        const int digits = int(Refuse::AllButDigits);
        const int none = int(Qt::NoModifier);
        QTest::newRow("digits: a digit") << digits << int(Qt::Key_7) << none << "7" << int(Refusal::None);
        QTest::newRow("digits: a letter") << digits << int(Qt::Key_A) << none << "a" << int(Refusal::NotDigit);
        QTest::newRow("digits: a blank") << digits << int(Qt::Key_Space) << none << " " << int(Refusal::NotDigit);
        QTest::newRow("digits: a letter with AltGr")
            << digits << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::AltModifier) << "@" << int(Refusal::NotDigit);
        QTest::newRow("digits: Ctrl+A") << digits << int(Qt::Key_A) << int(Qt::ControlModifier) << "\x01"
                                        << int(Refusal::None);
        QTest::newRow("digits: Ctrl+A as tests send it")
            << digits << int(Qt::Key_A) << int(Qt::ControlModifier) << "a" << int(Refusal::None);
        QTest::newRow("digits: Shift+Left")
            << digits << int(Qt::Key_Left) << int(Qt::ShiftModifier) << "" << int(Refusal::None);
        for (const int key : {int(Qt::Key_Home), int(Qt::Key_End), int(Qt::Key_Delete), int(Qt::Key_Backspace),
                              int(Qt::Key_Tab), int(Qt::Key_Escape), int(Qt::Key_Return)}) {
            QTest::addRow("digits: key %x", key)
                << digits << key << none << (key == Qt::Key_Backspace ? "\b" : "") << int(Refusal::None);
        }
        QTest::newRow("set A: accented") << int(Refuse::SetA) << 0 << none << "\u00F2" << int(Refusal::Accented);
        QTest::newRow("set A: capital accented")
            << int(Refuse::SetA) << 0 << none << "\u00C8" << int(Refusal::Accented);
        QTest::newRow("set A: degree") << int(Refuse::SetA) << 0 << none << "\u00B0" << int(Refusal::Symbol);
        QTest::newRow("set B: degree passes") << int(Refuse::SetB) << 0 << none << "\u00B0" << int(Refusal::None);
        QTest::newRow("set B: ampersand") << int(Refuse::SetB) << 0 << none << "&" << int(Refusal::Symbol);
        QTest::newRow("set A: apostrophe passes") << int(Refuse::SetA) << 0 << none << "'" << int(Refusal::None);
        QTest::newRow("nothing refused") << int(Refuse::Nothing) << 0 << none << "\u00F2" << int(Refusal::None);
    }

    void verdicts()
    {
        QFETCH(int, rule);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, refusal);
        QCOMPARE(int(KeyFilters::refusal(Refuse(rule), key, Qt::KeyboardModifiers(modifiers), text)), refusal);
    }

    void messages_data()
    {
        QTest::addColumn<int>("refusal");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");

        const int accented = int(Refusal::Accented);
        QTest::newRow("o grave") << accented << "\u00F2"
                                 << "Lettere accentate non ammesse in questo campo: scrivere o' al posto di \u00F2";
        QTest::newRow("e acute") << accented << "\u00E9"
                                 << "Lettere accentate non ammesse in questo campo: scrivere e' al posto di \u00E9";
        QTest::newRow("capital E grave")
            << accented << "\u00C8"
            << "Lettere accentate non ammesse in questo campo: scrivere E' al posto di \u00C8";
        QTest::newRow("n tilde") << accented << "\u00F1"
                                 << "Lettere accentate non ammesse in questo campo: scrivere n al posto di \u00F1";
        QTest::newRow("ampersand") << int(Refusal::Symbol) << "&"
                                   << "Simbolo & non ammesso in questo campo: scrivere e al posto di &";
        QTest::newRow("less than") << int(Refusal::Symbol) << "<"
                                   << "Simbolo < non ammesso in questo campo";
        QTest::newRow("letter in digits") << int(Refusal::NotDigit) << "I"
                                          << "In questo campo si scrivono soltanto cifre (da 0 a 9): «I» non è ammesso";
        QTest::newRow("blank in digits")
            << int(Refusal::NotDigit) << " "
            << "In questo campo si scrivono soltanto cifre (da 0 a 9): lo spazio non è ammesso";
    }

    void messages()
    {
        QFETCH(int, refusal);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QCOMPARE(KeyFilters::refusalMessage(Refusal(refusal), typed), message);
    }

    void pastedDigits()
    {
        QString others;
        QCOMPARE(KeyFilters::digitsOf(QStringLiteral("IT 008-762 20633"), &others), QStringLiteral("00876220633"));
        QCOMPARE(others, QStringLiteral("IT-"));
        QCOMPARE(KeyFilters::digitsOf(QStringLiteral(" 20100 "), &others), QStringLiteral("20100"));
        QCOMPARE(others, QString());
    }
};

QTEST_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
