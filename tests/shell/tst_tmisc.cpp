#include "shell/TMisc.h"
#include "support/TestSupport.h"

#include <QUrl>
#include <QtTest>

class TestTMisc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    // What the desktop is handed for each kind of text the program opens.
    void urlFor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("target");  // the local file, or the whole address

        QTest::newRow("quoted file path") << "\"/tmp/Cablora/Clienti.xls\""
                                          << "file"
                                          << "/tmp/Cablora/Clienti.xls";
        QTest::newRow("file path with blanks, # and %") << "\"/tmp/a b/100% #1.pdf\""
                                                        << "file"
                                                        << "/tmp/a b/100% #1.pdf";
        QTest::newRow("accented file name") << "\"/tmp/Perch\u00E9.pdf\""
                                            << "file"
                                            << "/tmp/Perch\u00E9.pdf";
        QTest::newRow("web address") << "https://www.cablora.it"
                                     << "https"
                                     << "https://www.cablora.it";
        QTest::newRow("web address without scheme") << "www.cablora.it"
                                                    << "https"
                                                    << "https://www.cablora.it";
        QTest::newRow("e-mail") << "mailto:officina@example.it"
                                << "mailto"
                                << "mailto:officina@example.it";
    }

    void urlFor()
    {
        QFETCH(QString, text);
        QFETCH(QString, scheme);
        QFETCH(QString, target);
        const QUrl url(TMisc::urlFor(text));
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), scheme);
        QCOMPARE(url.isLocalFile() ? url.toLocalFile() : url.toString(), target);

        TMisc::Open(text);  // scripted: recorded, not opened
        QCOMPARE(TMisc::takeOpened(), QStringList{text});
    }
};

QTEST_MAIN(TestTMisc)
#include "tst_tmisc.moc"
