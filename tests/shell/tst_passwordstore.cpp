#include "shell/PasswordStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QtTest>

// The stored values below were computed apart from the program, by a few lines of Python that
// follow the scrambling steps on the Windows-1252 bytes of each password.
class TestPasswordStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void scrambler_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("stored");

        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("initial password") << "PORTIERASICURA"
                                          << "5B3B85F519A56894D6D964DA6BD1";
        QTest::newRow("one letter") << "A"
                                    << "4A";
        QTest::newRow("lower case kept") << "a"
                                         << "6A";
        QTest::newRow("inner blank") << "AB CD"
                                     << "4A6C634DE6";
        QTest::newRow("accented, upper") << "CAFF\u00C8"
                                         << "48FD77110D";
        QTest::newRow("accented, lower") << "PERCH\u00E9"
                                         << "5B31CD92DA42";
        QTest::newRow("euro sign") << "\u20ACURO"
                                   << "8B497FBD";
        QTest::newRow("digits") << "TEST1234"
                                << "5F1291FF75DAB2FF";
    }

    void scrambler()
    {
        QFETCH(QString, password);
        QFETCH(QString, stored);
        QCOMPARE(CodificaPassword(password), stored);
        bool ok = false;
        QCOMPARE(DecodificaPassword(stored, &ok), password);
        QVERIFY(ok);
        QCOMPARE(DecodificaPassword(stored.toLower(), &ok), password);
        QVERIFY(ok);
    }

    void decode_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("password");

        QTest::newRow("odd length: last digit ignored") << "5B3B85F519A56894D6D964DA6BD17" << true << "PORTIERASICURA";
        QTest::newRow("one digit") << "5" << true << "";
        QTest::newRow("mixed letter case") << "5b3B85f519A56894d6D964DA6bD1" << true << "PORTIERASICURA";
        QTest::newRow("pair that is no number") << "5B3BZZ" << false << "";
        QTest::newRow("one bad digit") << "5G" << false << "";
        QTest::newRow("blank inside") << "5B 3" << false << "";
        QTest::newRow("hexadecimal prefix") << "0x5B" << false << "";
    }

    void decode()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ok);
        QFETCH(QString, password);
        bool decoded = !ok;
        const QString result = DecodificaPassword(stored, &decoded);
        QCOMPARE(decoded, ok);
        if (ok)
            QCOMPARE(result, password);
    }

    void canBeStored_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("storable");

        QTest::newRow("255 characters") << QString(255, QLatin1Char('Z')) << true;
        QTest::newRow("256 characters") << QString(256, QLatin1Char('Z')) << false;
        QTest::newRow("accented and euro") << "PERCH\u00E9 \u20AC" << true;
        QTest::newRow("letter outside the code page") << "Z\u0105B" << false;
        QTest::newRow("ideographs") << "\u65E5\u672C" << false;
    }

    void canBeStored()
    {
        QFETCH(QString, password);
        QFETCH(bool, storable);
        QCOMPARE(PasswordStore::canBeStored(password), storable);
        auto dir = TestSupport::programFolder();
        QCOMPARE(PasswordStore::store(dir->path(), password), storable);
        // A password that cannot be kept leaves nothing behind.
        QCOMPARE(QDir(dir->path()).isEmpty(), !storable);
        if (storable) {
            bool ok = false;
            QCOMPARE(PasswordStore::storedPassword(dir->path(), &ok), password);
            QVERIFY(ok);
        }
    }

    void storedPassword_data()
    {
        QTest::addColumn<QByteArray>("store");  // null: no store at all
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("password");

        // A missing or damaged store cannot be read: an empty password would only be "password errata".
        QTest::newRow("no store") << QByteArray() << false << "";
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=4A\r\n") << false << "";
        QTest::newRow("not a store") << QByteArray("\x7F\x45\x4C\x46\x02\x01\x01\x00 binary") << false << "";
        QTest::newRow("empty password stored") << QByteArray("[Accesso]\r\nValore=\r\n") << true << "";
        QTest::newRow("initial password")
            << QByteArray("[Accesso]\r\nValore=5B3B85F519A56894D6D964DA6BD1\r\n") << true << "PORTIERASICURA";
        QTest::newRow("decoded value trimmed") << QByteArray("[accesso]\r\nVALORE=2BEC29DBE09B\r\n") << true << "AB";
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=5B3BZZ\r\n") << false << "";
    }

    void storedPassword()
    {
        QFETCH(QByteArray, store);
        QFETCH(bool, ok);
        QFETCH(QString, password);
        auto dir = TestSupport::programFolder();
        if (!store.isNull())
            QVERIFY(TestSupport::writeFile(PasswordStore::fileName(dir->path()), store));
        bool read = !ok;
        QCOMPARE(PasswordStore::storedPassword(dir->path(), &read), password);
        QCOMPARE(read, ok);
    }

    void storeFile()
    {
        auto dir = TestSupport::programFolder();
        QCOMPARE(PasswordStore::fileName(dir->path()), dir->filePath(QStringLiteral("unins000.dll")));
        QVERIFY(PasswordStore::store(dir->path(), QStringLiteral("PORTIERASICURA")));
        QCOMPARE(TestSupport::readFile(dir->filePath(QStringLiteral("unins000.dll"))),
                 QByteArray("[Accesso]\r\nValore=5B3B85F519A56894D6D964DA6BD1\r\n"));
    }
};

QTEST_MAIN(TestPasswordStore)
#include "tst_passwordstore.moc"
