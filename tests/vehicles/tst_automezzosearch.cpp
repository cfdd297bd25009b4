// The vehicle search rules: criteria, the list line with its joined make and model, the order.

#include "archive/RecordArchive.h"
#include "support/TestSupport.h"
#include "vehicles/AutomezzoSearch.h"

#include <QDir>
#include <QtTest>

class TestAutomezzoSearch : public QObject
{
    Q_OBJECT

private slots:
    void lineAndSearch()
    {
        AutomezzoRecord v;
        v.Tipo = QStringLiteral("Autovettura");
        v.Marca = QStringLiteral("Alfa Romeo");
        v.Modello = QStringLiteral("Giulia");
        v.Targa = QStringLiteral("fg123hj");
        v.Proprietario = QStringLiteral("Ciro Esposito");
        v.Immatricolazione = QStringLiteral("2019");
        v.Chilometri = QStringLiteral("84.000");
        QCOMPARE(AutomezzoSearch::searchLine().build(v.toBytes()),
                 QStringLiteral("Autovettura           Alfa Romeo Giulia               Targa: fg123hj       "
                                "Titolare: Ciro Esposito                   Anno: 2019        Km: 84.000"));

        const auto folder = TestSupport::programFolder();
        const QString archive = QDir(folder->path()).filePath(QStringLiteral("Parco_Automezzi.pro"));
        AutomezzoRecord other = v;
        other.Tipo = QStringLiteral("autocarro");
        other.Meccanico = QStringLiteral("Officina Sud");
        {
            RecordArchive a;
            QVERIFY(a.OpenOrCreate(archive, AutomezzoRecord::kSize));
            QVERIFY(a.Append(v.toBytes()) == 1 && a.Append(other.toBytes()) == 2);
        }
        ListedRecords found;
        const RecordScan::Criteria giulia(AutomezzoRecord::format(),
                                          {{AutomezzoRecord::fModello, QStringLiteral("GIUL")}});
        QVERIFY(AutomezzoSearch::search(archive, giulia, found));
        found.sortByLineFoldingAZ();
        // "autocarro" sorts before "Autovettura" when case is folded.
        QCOMPARE(found.positions, (QVector<qint64>{2, 1}));
        ListedRecords mechanic;
        const RecordScan::Criteria sud(AutomezzoRecord::format(),
                                       {{AutomezzoRecord::fMeccanico, QStringLiteral("sud")}});
        QVERIFY(AutomezzoSearch::search(archive, sud, mechanic));
        QCOMPARE(mechanic.positions, (QVector<qint64>{2}));
    }
};

QTEST_MAIN(TestAutomezzoSearch)
#include "tst_automezzosearch.moc"
