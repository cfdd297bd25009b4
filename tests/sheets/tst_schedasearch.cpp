// The sheet search and unpaid rules without windows: criteria on the stored bytes, the sheet list
// line, the unpaid flag, and the scans of the archive.

#include "SchedaFixture.h"
#include "sheets/SchedaSearch.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QtTest>

using SchedaFixture::Sheet;

class TestSchedaSearch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_archive;

    static QList<SchedaSearch::Criterion> parse(const QStringList &criteria)
    {
        QList<SchedaSearch::Criterion> list;
        for (const QString &c : criteria) {
            const qsizetype eq = c.indexOf(QLatin1Char('='));
            for (const SchedaRecord::Field f : SchedaSearch::criterionFields()) {
                if (QLatin1String(SchedaRecord::layout()[f].name) == c.left(eq))
                    list.append({f, c.mid(eq + 1)});
            }
        }
        Q_ASSERT(list.size() == criteria.size());
        return list;
    }

private slots:
    void initTestCase()
    {
        TestSupport::scriptEverything();
        m_folder = TestSupport::programFolder();
        m_archive = QDir(m_folder->path()).filePath(SchedaRecord::fileName());

        SchedaRecord first =
            SchedaFixture::record({QStringLiteral("1"), QStringLiteral("Rossi Mario"), QStringLiteral("AB123CD")});
        first.Tecnico = QStringLiteral("Luca Ferri");
        first.Pratica = QStringLiteral("Sinistro 2024/77");
        first.Stato = QStringLiteral("Completato");
        first.Note = QStringLiteral("Richiamare il cliente");
        QList<QByteArray> records = {
            first.toBytes(),
            SchedaFixture::record({"2", "ROSSINI Anna", "XY987ZZ"}).toBytes(),
            SchedaFixture::record({"3", "Bianchi Luigi", "CAB001AA"}).toBytes(),
            SchedaFixture::record({"4", "Grossi & figli", "GH222AB"}).toBytes(),
            SchedaFixture::record({"5", QStringLiteral("Perè Nicolò"), "EE555EE", "No", "Fiat", "", "Che?"}).toBytes(),
            SchedaFixture::record({"6", QStringLiteral("PERÈ NICOLÒ"), "FF666FF"}).toBytes(),
            SchedaFixture::record({"7", "Mario de rossi", "ZZ000ZZ"}).toBytes(),
            // Stored with leading blanks: the sheet window stores texts untrimmed.
            SchedaFixture::record({"8", "  Rossi Carla", "KL321MN"}).toBytes(),
        };
        // A plate filling its field up to the last byte, without terminator; the make follows.
        QByteArray full = SchedaFixture::record({"9", "Verdi", "", "No", "Fiat Uno"}).toBytes();
        SchedaFixture::setRawField(full, SchedaRecord::fTarga, QByteArray(29, 'Z') + "AB");
        records << full;
        QVERIFY(SchedaFixture::append(m_archive, records));
        // A trailing fragment is no record.
        QFile file(m_archive);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(100, 'x'));
    }

    void criteria_data()
    {
        QTest::addColumn<QStringList>("criteria");
        QTest::addColumn<QList<qint64>>("expected");

        const QList<qint64> all = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("no criterion: every sheet in archive order") << QStringList() << all;
        QTest::newRow("only blanks take no part") << QStringList{"Cliente=   ", "Targa= \t"} << all;
        QTest::newRow("one criterion, any mix of case") << QStringList{"Cliente=rossi"} << QList<qint64>{1, 2, 4, 7, 8};
        QTest::newRow("criterion in capitals") << QStringList{"Cliente=ROSSI"} << QList<qint64>{1, 2, 4, 7, 8};
        QTest::newRow("several criteria must all match")
            << QStringList{"Cliente=rossi", "Targa=ab"} << QList<qint64>{1, 4};
        QTest::newRow("a blank criterion beside a real one")
            << QStringList{"Cliente=rossi", "Targa=  "} << QList<qint64>{1, 2, 4, 7, 8};
        QTest::newRow("a leading blank must precede the word in the stored field")
            << QStringList{"Cliente= rossi"} << QList<qint64>{7, 8};
        QTest::newRow("a trailing blank must follow the word")
            << QStringList{"Cliente=rossi "} << QList<qint64>{1, 4, 8};
        QTest::newRow("accented capital does not match its small letter")
            << QStringList{QStringLiteral("Cliente=È")} << QList<qint64>{6};
        QTest::newRow("accented small letter does not match its capital")
            << QStringList{QStringLiteral("Cliente=nicolò")} << QList<qint64>{5};
        QTest::newRow("plain letters around accents fold")
            << QStringList{QStringLiteral("Cliente=pErÈ")} << QList<qint64>{6};
        QTest::newRow("all ten criteria at once, each on its own field")
            << QStringList{"NumScheda=1",   "Data=02/2024", "Tecnico=ferri", "Pratica=2024/77", "Cliente=mario",
                           "Recapito=1234", "Marca=panda",  "Targa=123",     "Stato=complet",   "Note=richiamare"}
            << QList<qint64>{1};
        QTest::newRow("a field of full capacity is searched to its last byte")
            << QStringList{"Targa=zab"} << QList<qint64>{9};
        QTest::newRow("but not beyond it") << QStringList{"Targa=abf"} << QList<qint64>{};
        QTest::newRow("a character the code page lacks is found nowhere, not even as '?'")
            << QStringList{QStringLiteral("Note=\u2713")} << QList<qint64>{};
        QTest::newRow("nothing found") << QStringList{"Cliente=rossi", "Targa=zz9"} << QList<qint64>{};
    }

    void criteria()
    {
        QFETCH(QStringList, criteria);
        QFETCH(QList<qint64>, expected);

        ListedRecords found;
        QVERIFY(SchedaSearch::search(m_archive, SchedaSearch::Criteria(parse(criteria)), found));
        QCOMPARE(QList<qint64>(found.positions.begin(), found.positions.end()), expected);

        // Each listed line is the line of the record at its position.
        RecordArchive archive;
        QVERIFY(archive.OpenForReading(m_archive, SchedaRecord::kSize));
        for (qsizetype i = 0; i < found.size(); ++i) {
            QByteArray bytes;
            QVERIFY(archive.ReadAt(found.positions[i], bytes));
            QCOMPARE(found.lines[i], SchedaSearch::listLine(bytes.constData()));
        }
    }

    void missingArchiveListsNothing()
    {
        ListedRecords found;
        QVERIFY(SchedaSearch::search(m_archive + QStringLiteral(".assente"), SchedaSearch::Criteria(), found));
        QVERIFY(found.isEmpty());
        QVERIFY(!QFile::exists(m_archive + QStringLiteral(".assente")));
    }

    void unreadableArchiveFails()
    {
        // A folder where the archive should be cannot be read as a file.
        QDir(m_folder->path()).mkdir(QStringLiteral("cartella.pro"));
        ListedRecords found;
        QVERIFY(!SchedaSearch::search(QDir(m_folder->path()).filePath(QStringLiteral("cartella.pro")),
                                      SchedaSearch::Criteria(), found));
        QVERIFY(!SchedaSearch::unpaid(QDir(m_folder->path()).filePath(QStringLiteral("cartella.pro")), found));
    }

    void listLine_data()
    {
        QTest::addColumn<SchedaRecord>("record");
        QTest::addColumn<QString>("line");

        SchedaRecord plain;
        plain.NumScheda = QStringLiteral("12");
        plain.Data = QStringLiteral("03/04/2024");
        plain.Cliente = QStringLiteral("Rossi Mario");
        plain.Recapito = QStringLiteral("333 1234567");
        plain.Marca = QStringLiteral("Fiat Panda");
        plain.Targa = QStringLiteral("AB123CD");
        plain.Totale = QStringLiteral("150,00");
        QTest::newRow("columns padded")
            << plain
            << QStringLiteral("Scheda n. 12          Data: 03/04/2024  Cliente: Rossi Mario               "
                              " Tel. 333 1234567     Fiat Panda                 Targa: AB123CD     € 150,00");

        SchedaRecord lengthy;
        lengthy.NumScheda = QStringLiteral("  123456789012345 ");
        lengthy.Data = QStringLiteral("03/04/2024");
        lengthy.Cliente = QStringLiteral(" Autotrasporti Nicolò Perè S.r.l. di Milano");
        lengthy.Recapito = QStringLiteral("0039 02 123456789");
        lengthy.Marca = QStringLiteral("Mercedes-Benz Sprinter 316 CDI furgone");
        lengthy.Targa = QStringLiteral("AB123CDXYZW");
        lengthy.Totale = QStringLiteral(" 1250,50\r\n");
        QTest::newRow("fields trimmed, then cut")
            << lengthy
            << QStringLiteral("Scheda n. 1234567890  Data: 03/04/2024  Cliente: Autotrasporti Nicolò Perè "
                              " Tel. 0039 02 123456  Mercedes-Benz Sprinter 31  Targa: AB123CDXYZ  € 1250,50");

        QTest::newRow("empty sheet")
            << SchedaRecord()
            << QStringLiteral("Scheda n.             Data:             Cliente:                           "
                              " Tel.                                            Targa:             € ");
    }

    void listLine()
    {
        QFETCH(SchedaRecord, record);
        QFETCH(QString, line);
        const QString built = SchedaSearch::listLine(record);
        QCOMPARE(built, line);
        QCOMPARE(built.indexOf(QStringLiteral("€")), 143);
        // Reading the stored bytes gives the same line as the record read back.
        QCOMPARE(SchedaSearch::listLine(SchedaRecord::fromBytes(record.toBytes())), line);
    }

    void unpaid_data()
    {
        QTest::addColumn<QByteArray>("pagato");  // the three stored bytes
        QTest::addColumn<bool>("unpaid");

        QTest::newRow("No") << QByteArray("No") << true;
        QTest::newRow("No with a blank and no terminator") << QByteArray("No ") << true;
        QTest::newRow("No after a control character") << QByteArray("\tNo") << true;
        QTest::newRow("S\u00EC") << QByteArray("S\xEC") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("small letters") << QByteArray("no") << false;
        QTest::newRow("capitals") << QByteArray("NO") << false;
        QTest::newRow("N only") << QByteArray("N") << false;
        QTest::newRow("No then a letter") << QByteArray("Nox") << false;
    }

    void unpaid()
    {
        QFETCH(QByteArray, pagato);
        QFETCH(bool, unpaid);
        QByteArray record = SchedaRecord().toBytes();
        SchedaFixture::setRawField(record, SchedaRecord::fPagato, pagato);
        QCOMPARE(SchedaSearch::isUnpaid(record.constData()), unpaid);
    }

    void unpaidScanKeepsArchiveOrderAndPositions()
    {
        const QString path = QDir(m_folder->path()).filePath(QStringLiteral("nonpagati.pro"));
        QVERIFY(SchedaFixture::append(path, QList<SchedaRecord>{
                                                SchedaFixture::record({"1", "Rossi", "A", "No"}),
                                                SchedaFixture::record({"2", "Bianchi", "B", QStringLiteral("Sì")}),
                                                SchedaFixture::record({"3", "Verdi", "C", ""}),
                                                SchedaFixture::record({"4", "Neri", "D", "No"}),
                                            }));
        ListedRecords found;
        QVERIFY(SchedaSearch::unpaid(path, found));
        QCOMPARE(QList<qint64>(found.positions.begin(), found.positions.end()), (QList<qint64>{1, 4}));
        QVERIFY(found.lines[1].contains(QStringLiteral("Cliente: Neri")));
    }
};

QTEST_MAIN(TestSchedaSearch)
#include "tst_schedasearch.moc"
