#include "common/IniFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=5B3B\r\n") << "Accesso"
                               << "Valore"
                               << "5B3B";
        QTest::newRow("letter case ignored") << QByteArray("[ACCESSO]\r\nvalore=5B3B\r\n") << "accesso"
                                             << "VALORE"
                                             << "5B3B";
        QTest::newRow("blanks around key and value") << QByteArray("[Accesso]\r\n  Valore \t=  A  B \r\n") << "Accesso"
                                                     << "Valore"
                                                     << "A  B";
        QTest::newRow("quotes dropped, blanks inside kept") << QByteArray("[S]\r\nK=\" A B \"\r\n") << "S"
                                                            << "K"
                                                            << " A B ";
        QTest::newRow("same key in another section")
            << QByteArray("[Altro]\r\nValore=X\r\n[Accesso]\r\nValore=Y\r\n") << "Accesso"
            << "Valore"
            << "Y";
        QTest::newRow("comment line is no key") << QByteArray("[S]\r\n;K=X\r\n") << "S"
                                                << "K"
                                                << "";
        QTest::newRow("missing key") << QByteArray("[Accesso]\r\nAltro=1\r\n") << "Accesso"
                                     << "Valore"
                                     << "";
        QTest::newRow("missing section") << QByteArray("[Altro]\r\nValore=1\r\n") << "Accesso"
                                         << "Valore"
                                         << "";
        QTest::newRow("key before any section") << QByteArray("Valore=1\r\n[Accesso]\r\n") << "Accesso"
                                                << "Valore"
                                                << "";
        QTest::newRow("Windows-1252, LF only, no last line end") << QByteArray("[S]\nK=caff\xE8 \x80") << "S"
                                                                 << "K"
                                                                 << "caff\u00E8 \u20AC";
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Cablora.ini"));
        QVERIFY(TestSupport::writeFile(path, content));
        bool ok = false;
        QCOMPARE(IniFile::value(path, section, key, &ok), value);
        QVERIFY(ok);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("empty file") << QByteArray() << "Accesso"
                                    << "Valore"
                                    << "5B3B" << QByteArray("[Accesso]\r\nValore=5B3B\r\n");
        QTest::newRow("key replaced in place, other lines kept")
            << QByteArray("; note\r\n[Altro]\r\nValore=1\r\n\r\n[ACCESSO]\r\nvalore = OLD\r\nX=2\r\n") << "Accesso"
            << "Valore"
            << "NEW" << QByteArray("; note\r\n[Altro]\r\nValore=1\r\n\r\n[ACCESSO]\r\nValore=NEW\r\nX=2\r\n");
        QTest::newRow("new key at the end of its section")
            << QByteArray("[Accesso]\r\nX=1\r\n\r\n[Altro]\r\nY=2\r\n") << "accesso"
            << "Valore"
            << "V" << QByteArray("[Accesso]\r\nX=1\r\nValore=V\r\n\r\n[Altro]\r\nY=2\r\n");
        QTest::newRow("new section appended") << QByteArray("[Altro]\nY=2") << "Accesso"
                                              << "Valore"
                                              << "V" << QByteArray("[Altro]\r\nY=2\r\n[Accesso]\r\nValore=V\r\n");
        QTest::newRow("Windows-1252") << QByteArray() << "S"
                                      << "K"
                                      << "caff\u00E8 \u20AC" << QByteArray("[S]\r\nK=caff\xE8 \x80\r\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Cablora.ini"));
        if (!before.isNull())
            QVERIFY(TestSupport::writeFile(path, before));
        QVERIFY(IniFile::setValue(path, section, key, value));
        QCOMPARE(TestSupport::readFile(path), after);
        QCOMPARE(IniFile::value(path, section, key), value);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Cablora.ini"});
    }

    // A value with line breaks stays on its own line, so it can never add keys or sections.
    void lineBreaksInValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("CR LF") << "riga uno\r\nriga due" << QByteArray("K=riga uno riga due") << "riga uno riga due";
        QTest::newRow("LF") << "a\nb" << QByteArray("K=a b") << "a b";
        QTest::newRow("CR") << "a\rb" << QByteArray("K=a b") << "a b";
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QByteArray("K=a  b") << "a  b";
        QTest::newRow("break at the end") << "a\r\n" << QByteArray("K=a ") << "a";
        QTest::newRow("a key and a section smuggled in")
            << "x\r\nInizio=99999\r\n[Accesso]\r\nValore=00" << QByteArray("K=x Inizio=99999 [Accesso] Valore=00")
            << "x Inizio=99999 [Accesso] Valore=00";
    }

    void lineBreaksInValue()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Cablora.ini"));
        QVERIFY(TestSupport::writeFile(path, "[S]\r\nInizio=5\r\n"));
        QVERIFY(IniFile::setValue(path, QStringLiteral("S"), QStringLiteral("K"), value));
        QCOMPARE(TestSupport::readFile(path), QByteArray("[S]\r\nInizio=5\r\n") + stored + "\r\n");
        QCOMPARE(IniFile::value(path, QStringLiteral("S"), QStringLiteral("K")), readBack);
        QCOMPARE(IniFile::value(path, QStringLiteral("S"), QStringLiteral("Inizio")), QStringLiteral("5"));
        QCOMPARE(IniFile::value(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QString());

        // Written again over itself, the value keeps its one line.
        QVERIFY(IniFile::setValue(path, QStringLiteral("S"), QStringLiteral("K"), value));
        QCOMPARE(TestSupport::readFile(path), QByteArray("[S]\r\nInizio=5\r\n") + stored + "\r\n");
    }

    // Windows keeps a value as written and trims it when reading.
    void valueWithBlanks()
    {
        auto dir = TestSupport::programFolder();
        const QString path = dir->filePath(QStringLiteral("Cablora.ini"));
        QVERIFY(IniFile::setValue(path, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("  A  B  ")));
        QCOMPARE(TestSupport::readFile(path), QByteArray("[S]\r\nK=  A  B  \r\n"));
        QCOMPARE(IniFile::value(path, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("A  B"));
    }

    void missingFile()
    {
        auto dir = TestSupport::programFolder();
        bool ok = false;
        QCOMPARE(IniFile::value(dir->filePath(QStringLiteral("Contratti.ini")), QStringLiteral("S"),
                                QStringLiteral("K"), &ok),
                 QString());
        QVERIFY(ok);
        // A file that cannot be created is reported, and nothing is left behind.
        QVERIFY(!IniFile::setValue(dir->filePath(QStringLiteral("manca/Contratti.ini")), QStringLiteral("S"),
                                   QStringLiteral("K"), QStringLiteral("V")));
        QVERIFY(QDir(dir->path()).isEmpty());
    }
};

QTEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
