// The customer search and recontact rules: criteria on the stored bytes, the two list lines, the scans
// and their order.

#include "archive/RecordArchive.h"
#include "customers/ClienteSearch.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QtTest>

namespace {

ClienteRecord searchedCustomer(const QString &surname, const QString &name, const QString &flag = QStringLiteral("No"))
{
    ClienteRecord r;
    r.Cognome = surname;
    r.Nome = name;
    r.Recapito = QStringLiteral("333 1234567");
    r.Marca = QStringLiteral("Fiat Panda");
    r.Targa = QStringLiteral("AB123CD");
    r.Note = QStringLiteral("cliente storico");
    r.Questioni = QStringLiteral("preventivo da richiamare");
    r.Ricontatta = flag;
    return r;
}

}  // namespace

class TestClienteSearch : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    QString archive() const { return QDir(m_folder->path()).filePath(QStringLiteral("Clienti.pro")); }

    void write(const QList<ClienteRecord> &records)
    {
        RecordArchive a;
        QVERIFY(a.OpenOrCreate(archive(), ClienteRecord::kSize));
        for (const ClienteRecord &r : records)
            QVERIFY(a.Append(r.toBytes()) > 0);
    }

private slots:
    void init() { m_folder = TestSupport::programFolder(); }

    void lines()
    {
        const QByteArray bytes = searchedCustomer(QStringLiteral("Esposito"), QStringLiteral("Gennaro")).toBytes();
        QCOMPARE(ClienteSearch::searchLine().build(bytes),
                 QStringLiteral("Esposito Gennaro                Tel. 333 1234567       Fiat Panda          "
                                "  Targa: AB123CD     cliente storico"));
        // The recontact line leaves the make out: the pending matter starts within 74 characters.
        QCOMPARE(ClienteSearch::recontactLine().build(bytes),
                 QStringLiteral("Esposito Gennaro                Tel. 333 1234567       Targa: AB123CD     "
                                "preventivo da richiamare"));
        // Surname and name together are cut at 30 characters.
        const QByteArray longName =
            searchedCustomer(QStringLiteral("Della Valle Bonaccorsi"), QStringLiteral("Maria Antonietta")).toBytes();
        QVERIFY(ClienteSearch::searchLine().build(longName).startsWith(
            QStringLiteral("Della Valle Bonaccorsi Maria A  Tel. ")));
    }

    void criteria_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("no criterion lists all, sorted") << ""
                                                        << "" << QStringList{"Grossi", "Rossi", "ROSSINI", "Verdi"};
        QTest::newRow("case-folded substring") << "ross"
                                               << "" << QStringList{"Grossi", "Rossi", "ROSSINI"};
        QTest::newRow("trailing blank counts") << "rossi "
                                               << "" << QStringList{};
        QTest::newRow("blanks only take no part") << "   "
                                                  << "" << QStringList{"Grossi", "Rossi", "ROSSINI", "Verdi"};
        QTest::newRow("two criteria combined") << "ross"
                                               << "zz" << QStringList{"ROSSINI"};
    }
    void criteria()
    {
        QFETCH(QString, surname);
        QFETCH(QString, plate);
        QFETCH(QStringList, listed);
        ClienteRecord special = searchedCustomer(QStringLiteral("ROSSINI"), QStringLiteral("Ada"));
        special.Targa = QStringLiteral("ZZ999ZZ");
        write({searchedCustomer(QStringLiteral("Verdi"), QStringLiteral("Ugo")),
               searchedCustomer(QStringLiteral("Rossi"), QStringLiteral("Ivo")), special,
               searchedCustomer(QStringLiteral("Grossi"), QStringLiteral("Eva"))});
        const RecordScan::Criteria criteria(ClienteRecord::format(),
                                            {{ClienteRecord::fCognome, surname}, {ClienteRecord::fTarga, plate}});
        ListedRecords found;
        QVERIFY(ClienteSearch::search(archive(), criteria, found));
        found.sortByLineFoldingAZ();
        QStringList surnames;
        for (const QString &line : found.lines)
            surnames.append(line.section(QLatin1Char(' '), 0, 0));
        QCOMPARE(surnames, listed);
        // Each line keeps the position of its record.
        for (qsizetype i = 0; i < found.size(); ++i) {
            RecordArchive a;
            QByteArray bytes;
            QVERIFY(a.OpenForReading(archive(), ClienteRecord::kSize) && a.ReadAt(found.positions[i], bytes));
            QCOMPARE(ClienteSearch::searchLine().build(bytes), found.lines[i]);
        }
    }

    void recontactListsOnlyTickedRecords()
    {
        write({searchedCustomer(QStringLiteral("Bianchi"), QStringLiteral("Al"), QStringLiteral("S\u00EC")),
               searchedCustomer(QStringLiteral("Neri"), QStringLiteral("Bo"), QStringLiteral("Si")),
               searchedCustomer(QStringLiteral("Blu"), QStringLiteral("Ca"), QStringLiteral("No")),
               searchedCustomer(QStringLiteral("Azzurri"), QStringLiteral("Di"), QStringLiteral("S\u00EC"))});
        ListedRecords found;
        QVERIFY(ClienteSearch::toRecontact(archive(), found));
        QCOMPARE(found.positions, (QVector<qint64>{1, 4}));
    }

    void unreadableArchiveIsReported()
    {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Clienti.pro")));
        ListedRecords found;
        QVERIFY(!ClienteSearch::search(archive(), RecordScan::Criteria(), found));
    }
};

QTEST_MAIN(TestClienteSearch)
#include "tst_clientesearch.moc"
