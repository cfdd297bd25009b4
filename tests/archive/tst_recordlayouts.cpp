// The customer and vehicle record layouts (length-prefixed fields), the untyped record formats of all
// three archives, and the list lines and criteria built on any format.

#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordScan.h"
#include "archive/SchedaRecord.h"

#include <QtTest>

namespace {

// A fixture laid out by hand: for each capacity a length byte, the text, zero padding.
template<typename Record>
QByteArray handMadeFixture(const QList<int> &caps, Record &record)
{
    QByteArray fixture;
    for (int i = 0; i < caps.size(); ++i) {
        const QByteArray text = QByteArray(1, char('A' + i % 26)) + (caps[i] >= 3 ? "yz" : "");
        record[i] = QString::fromLatin1(text);
        fixture += char(text.size());
        fixture += text;
        fixture += QByteArray(caps[i] - text.size(), '\0');
    }
    return fixture;
}

}  // namespace

class TestRecordLayouts : public QObject
{
    Q_OBJECT

private slots:
    void formatsAreContiguous_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("file");
        QTest::newRow("sheet") << 0 << 11895 << 28 << "Schede_Interventi_Elettrauto.pro";
        QTest::newRow("customer") << 1 << 3011 << 38 << "Clienti.pro";
        QTest::newRow("vehicle") << 2 << 3370 << 38 << "Parco_Automezzi.pro";
    }
    void formatsAreContiguous()
    {
        QFETCH(int, which);
        const RecordFormat &format = which == 0   ? SchedaRecord::format()
                                     : which == 1 ? ClienteRecord::format()
                                                  : AutomezzoRecord::format();
        QFETCH(int, size);
        QFETCH(int, fields);
        QFETCH(QString, file);
        QCOMPARE(format.size(), size);
        QCOMPARE(format.fieldCount(), fields);
        QCOMPARE(format.fileName(), file);
        QVERIFY(format.isContiguous());
    }

    void customerLayoutMatchesHandMadeFixture()
    {
        const QList<int> caps = {50, 50, 50, 1,  50, 50, 2,  50, 5,  30,  50,  2, 30, 30,  30,  60,  50,  16,  30,
                                 30, 11, 27, 50, 50, 50, 30, 50, 30, 250, 250, 7, 2,  250, 250, 250, 250, 250, 250};
        QCOMPARE(caps.size(), int(ClienteRecord::FieldCount));
        ClienteRecord record;
        const QByteArray fixture = handMadeFixture(caps, record);
        QCOMPARE(fixture.size(), ClienteRecord::kSize);
        QCOMPARE(record.toBytes(), fixture);
        const ClienteRecord back = ClienteRecord::fromBytes(fixture);
        for (int i = 0; i < caps.size(); ++i)
            QCOMPARE(back[i], record[i]);
        // Named members follow the archive order, not the screen's.
        QCOMPARE(ClienteRecord::layout()[ClienteRecord::fDataNasc].offset, 317);
        QCOMPARE(ClienteRecord::layout()[ClienteRecord::fRicontatta].offset, 1502);
        QCOMPARE(&back.Desc03, &back[ClienteRecord::fDesc03]);
    }

    void vehicleLayoutMatchesHandMadeFixture()
    {
        const QList<int> caps = {50, 50, 50,  50, 12, 20, 50, 10, 120, 50, 50, 10, 50,  50,  50,  50,  50,  50,  120,
                                 50, 50, 250, 50, 50, 50, 50, 50, 10,  10, 10, 10, 250, 250, 250, 250, 250, 250, 250};
        QCOMPARE(caps.size(), int(AutomezzoRecord::FieldCount));
        AutomezzoRecord record;
        const QByteArray fixture = handMadeFixture(caps, record);
        QCOMPARE(fixture.size(), AutomezzoRecord::kSize);
        QCOMPARE(record.toBytes(), fixture);
        const AutomezzoRecord back = AutomezzoRecord::fromBytes(fixture);
        for (int i = 0; i < caps.size(); ++i)
            QCOMPARE(back[i], record[i]);
        QCOMPARE(AutomezzoRecord::layout()[AutomezzoRecord::fTelaio].offset, 289);
        QCOMPARE(AutomezzoRecord::layout()[AutomezzoRecord::fScadBollo].offset, 1602);
    }

    void lengthPrefixedFieldRules()
    {
        ClienteRecord c;
        c.Ricontatta = QStringLiteral("S\u00EC");
        c.Cognome = QStringLiteral("   ");
        c.Nome = QStringLiteral("  Anna  ");
        c.Sesso = QStringLiteral("FM");  // one letter kept
        const QByteArray bytes = c.toBytes();
        QCOMPARE(bytes.mid(1502, 3), QByteArray("\x02\x53\xEC", 3));
        QCOMPARE(bytes.at(0), '\0');  // blanks only: empty field
        QCOMPARE(bytes.mid(51, 5), QByteArray("\x04"
                                              "Anna",
                                              5));  // trimmed before storing
        QCOMPARE(bytes.mid(153, 2), QByteArray("\x01"
                                               "F",
                                               2));

        AutomezzoRecord v;
        v.Telaio = QStringLiteral("ZFA19900001234567");
        const QByteArray vb = v.toBytes();
        QCOMPARE(vb.mid(289, 11), QByteArray("\x0A"
                                             "ZFA1990000",
                                             11));
        QCOMPARE(AutomezzoRecord::fromBytes(vb).Telaio, QStringLiteral("ZFA1990000"));

        // A damaged length byte is clamped to the capacity; a short buffer reads as far as it goes.
        QByteArray damaged = vb;
        damaged[289] = char(200);
        QCOMPARE(AutomezzoRecord::fromBytes(damaged).Telaio.size(), 10);
        QCOMPARE(ClienteRecord::fromBytes(QByteArray("\x03Neri", 5)).Cognome, QStringLiteral("Ner"));
    }

    void listLineAndCriteriaOnLengthPrefixedRecord()
    {
        ClienteRecord c;
        c.Cognome = QStringLiteral("Esposito");
        c.Nome = QStringLiteral("Gennaro Maria Luigi");
        c.Targa = QStringLiteral("AB123CD");
        const QByteArray bytes = c.toBytes();
        const RecordScan::LineLayout line(
            ClienteRecord::format(),
            {{"", ClienteRecord::fCognome, 10}, {" ", ClienteRecord::fNome, 7}, {" \x80 ", ClienteRecord::fTarga, 0}});
        QCOMPARE(line.build(bytes), QStringLiteral("Esposito   Gennaro \u20AC AB123CD"));

        const RecordScan::Criteria match(ClienteRecord::format(), {{ClienteRecord::fCognome, QStringLiteral("SPOS")},
                                                                   {ClienteRecord::fTarga, QStringLiteral("123")},
                                                                   {ClienteRecord::fNote, QStringLiteral("   ")}});
        QCOMPARE(match.count(), 2);
        QVERIFY(match.matches(bytes.constData()));
        const RecordScan::Criteria miss(ClienteRecord::format(), {{ClienteRecord::fNome, QStringLiteral("Ciro")}});
        QVERIFY(!miss.matches(bytes.constData()));
        // Bytes after the stored length are never matched.
        QByteArray stale = bytes;
        stale.replace(1 + 8, 4, "Ciro");
        const RecordScan::Criteria staleMiss(ClienteRecord::format(),
                                             {{ClienteRecord::fCognome, QStringLiteral("Ciro")}});
        QVERIFY(!staleMiss.matches(stale.constData()));
    }
};

QTEST_APPLESS_MAIN(TestRecordLayouts)
#include "tst_recordlayouts.moc"
