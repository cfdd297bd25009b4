#include "common/CodePage.h"
#include "common/TextRules.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void rules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");

        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "";
        QTest::newRow("controls and blanks around, inner kept")
            << QString("\t\r\n a b \x01\x1F ") << "a b" << QString("\t\r\n A B \x01\x1F ")
            << QString("\t\r\n a b \x01\x1F ");
        QTest::newRow("blanks only") << "   "
                                     << ""
                                     << "   "
                                     << "   ";
        QTest::newRow("no-break space is no blank") << "\u00A0x\u00A0"
                                                    << "\u00A0x\u00A0"
                                                    << "\u00A0X\u00A0"
                                                    << "\u00A0x\u00A0";
        QTest::newRow("accented letters unchanged") << "perch\u00E9 \u00C8"
                                                    << "perch\u00E9 \u00C8"
                                                    << "PERCH\u00E9 \u00C8"
                                                    << "perch\u00E9 \u00C8";
        QTest::newRow("only A to Z") << "aZ@[`{\u00FF"
                                     << "aZ@[`{\u00FF"
                                     << "AZ@[`{\u00FF"
                                     << "az@[`{\u00FF";
    }

    void rules()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QCOMPARE(TextRules::trim(text), trimmed);
        QCOMPARE(TextRules::upperAZ(text), upper);
        QCOMPARE(TextRules::lowerAZ(text), lower);
    }

    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");  // as hex
        QTest::addColumn<bool>("encodable");

        QTest::newRow("ASCII") << "Ab1 " << QByteArray("41623120") << true;
        QTest::newRow("Latin letters") << "\u00E8\u00C0\u00FF" << QByteArray("e8c0ff") << true;
        QTest::newRow("euro and quotes") << "\u20AC\u201C\u201D\u2026" << QByteArray("80939485") << true;
        QTest::newRow("outside the code page") << "\u0105\u65E5" << QByteArray("3f3f") << false;
    }

    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, encodable);
        QCOMPARE(CodePage::fromUnicode(text).toHex(), bytes);
        QCOMPARE(CodePage::canEncode(text), encodable);
        if (encodable)
            QCOMPARE(CodePage::toUnicode(QByteArray::fromHex(bytes)), text);
    }

    // Every byte read from a file comes back as the same byte when written again.
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = CodePage::toUnicode(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(CodePage::canEncode(text));
        QCOMPARE(CodePage::fromUnicode(text), all);
    }

    // Lines are read several bytes at a time: a byte of 0x80..0x9F is found wherever it stands,
    // also past a first one, and a line of plain text keeps every byte.
    void highBytesAnywhereInALine()
    {
        for (int b = 0x80; b <= 0x9F; ++b) {
            const QChar expected = CodePage::toUnicode(QByteArray(1, char(b))).at(0);
            QVERIFY(expected.unicode() > 0xFF || expected.unicode() == b);
            for (int at = 0; at < 20; ++at) {
                QByteArray line(20, 'x');
                line[at] = char(b);
                line[19 - at] = char(b);
                const QString text = CodePage::toUnicode(line);
                QCOMPARE(text.size(), 20);
                QCOMPARE(text.at(at), expected);
                QCOMPARE(text.at(19 - at), expected);
                QCOMPARE(CodePage::fromUnicode(text), line);
            }
        }
        const QByteArray plain("Rossi Mario \xe8 \xa0 \xff ok");
        QCOMPARE(CodePage::toUnicode(plain), QString::fromLatin1(plain));
    }
};

QTEST_MAIN(TestTextRules)
#include "tst_textrules.moc"
