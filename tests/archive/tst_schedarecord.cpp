// The sheet record layout: every field at its offset, with its capacity and zero terminator.

#include "archive/SchedaRecord.h"

#include <QtTest>

class TestSchedaRecord : public QObject
{
    Q_OBJECT

private:
    // Capacities in storage order, as the archive format fixes them.
    static QList<int> capacities()
    {
        return {50, 10,  120,  500,  250, 500,  50, 50, 30,  50,  50,  1000, 10,  50,
                10, 500, 1000, 5000, 120, 1000, 15, 2,  250, 250, 250, 250,  250, 250};
    }

private slots:
    void layoutMatchesFixtureBuiltByteByByte()
    {
        // Each field gets a distinct text; the fixture is laid out by hand: text, zero, zero padding.
        SchedaRecord record;
        QByteArray fixture;
        const QList<int> caps = capacities();
        QCOMPARE(caps.size(), int(SchedaRecord::FieldCount));
        for (int i = 0; i < caps.size(); ++i) {
            const QByteArray text = QByteArray(1, char('A' + i)) + (caps[i] >= 4 ? "yz" : "");
            record[SchedaRecord::Field(i)] = QString::fromLatin1(text);
            QByteArray field = text;
            field.append(QByteArray(caps[i] + 1 - text.size(), '\0'));
            fixture += field;
        }
        QCOMPARE(fixture.size(), SchedaRecord::kSize);
        QCOMPARE(record.toBytes(), fixture);

        const SchedaRecord back = SchedaRecord::fromBytes(fixture);
        for (int i = 0; i < caps.size(); ++i)
            QCOMPARE(back[SchedaRecord::Field(i)].at(0), QChar('A' + i));
        // Named members and offsets agree with the order above.
        QCOMPARE(back.Interventi, QStringLiteral("Ryz"));
        QCOMPARE(SchedaRecord::layout()[SchedaRecord::fTotale].offset, 10370);
        QCOMPARE(SchedaRecord::layout()[SchedaRecord::fDesc03].offset, 11644);
    }

    void textsAtAndOverCapacity()
    {
        SchedaRecord record;
        record.Interventi = QString(5000, QLatin1Char('a'));
        record.Totale = QStringLiteral("123456789012345,00");  // 18 characters into 15
        record.Pagato = QStringLiteral("S\u00EC");
        record.Cliente = QStringLiteral("  Rossi è qui \r\n");
        const QByteArray bytes = record.toBytes();

        const int memo = SchedaRecord::layout()[SchedaRecord::fInterventi].offset;
        QCOMPARE(bytes.mid(memo, 5000), QByteArray(5000, 'a'));
        QCOMPARE(bytes.at(memo + 5000), '\0');
        const int total = SchedaRecord::layout()[SchedaRecord::fTotale].offset;
        QCOMPARE(bytes.mid(total, 16), QByteArray("123456789012345") + '\0');
        const int paid = SchedaRecord::layout()[SchedaRecord::fPagato].offset;
        QCOMPARE(bytes.mid(paid, 3), QByteArray("\x53\xEC\x00", 3));
        // Stored as shown (untrimmed, Windows-1252); read back trimmed.
        const int customer = SchedaRecord::layout()[SchedaRecord::fCliente].offset;
        QCOMPARE(bytes.mid(customer, 17), QByteArray("  Rossi \xE8 qui \r\n\0", 17));
        const SchedaRecord back = SchedaRecord::fromBytes(bytes);
        QCOMPARE(back.Cliente, QStringLiteral("Rossi è qui"));
        QCOMPARE(back.Totale, QStringLiteral("123456789012345"));
        QCOMPARE(back.Pagato, QStringLiteral("S\u00EC"));
    }

    void fieldWithoutTerminatorReadsWholeField()
    {
        QByteArray bytes(SchedaRecord::kSize, '\0');
        const int data = SchedaRecord::layout()[SchedaRecord::fData].offset;
        bytes.replace(data, 11, "01/02/20031");  // 11 bytes, no zero: runs into the next field
        QCOMPARE(SchedaRecord::fromBytes(bytes).Data, QStringLiteral("01/02/20031"));
        // A short buffer reads its missing part as empty fields, never past its end.
        QCOMPARE(SchedaRecord::fromBytes(QByteArray("12", 2)).NumScheda, QStringLiteral("12"));
    }
};

QTEST_APPLESS_MAIN(TestSchedaRecord)
#include "tst_schedarecord.moc"
