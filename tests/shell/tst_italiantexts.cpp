// No English word in the dialogs Qt draws: our table gives the Italian for what Qt's own translations
// leave in English, Qt's words win where it has them, and the program's system locale is Italian
// whatever the system's.

#include "shell/ItalianTexts.h"
#include "shell/Startup.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QtTest>

class TestItalianTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void table_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("italian");
        QTest::newRow("pages") << "QPrintSettingsOutput"
                               << "Pages"
                               << "Pagine";
        QTest::newRow("double sided") << "QPrintSettingsOutput"
                                      << "Double Sided Printing"
                                      << "Stampa fronte/retro";
        QTest::newRow("long side") << "QPrintSettingsOutput"
                                   << "Long side binding"
                                   << "Rilegatura sul lato lungo";
        QTest::newRow("advanced") << "QPrintPropertiesWidget"
                                  << "Advanced"
                                  << "Avanzate";
        QTest::newRow("any context") << "QPrintDialog"
                                     << "Invalid Pages Definition"
                                     << "Pagine indicate non valide";
        QTest::newRow("another context's entry") << "QMessageBox"
                                                 << "Pages"
                                                 << "";
        QTest::newRow("unknown") << "QPrintSettingsOutput"
                                 << "Frobnicate"
                                 << "";
    }

    void table()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, italian);
        const ItalianTexts texts;
        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.translate(context.toUtf8().constData(), source.toUtf8().constData()), italian);
    }

    // Installed by the program's start-up, the table is asked after Qt's own translations.
    void installedAfterQt()
    {
        QCOMPARE(QCoreApplication::translate("QPrintSettingsOutput", "Double Sided Printing"),
                 QStringLiteral("Stampa fronte/retro"));
        QCOMPARE(QCoreApplication::translate("QPrintSettingsOutput", "Pages"), QStringLiteral("Pagine"));
    }

    void parse()
    {
        const QHash<QString, QString> texts =
            ItalianTexts::parse(QStringLiteral("# commento\r\nA\tUno\tuno\r\n\tDue\\nrighe\tdue\\nrighe\nrotta\n"));
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.value(QStringLiteral("A") + QChar(0x1F) + QStringLiteral("Uno")), QStringLiteral("uno"));
        QCOMPARE(texts.value(QChar(0x1F) + QStringLiteral("Due\nrighe")), QStringLiteral("due\nrighe"));
    }

#ifndef Q_OS_WIN
    // While the application starts, the locale variables say Italian; afterwards they are the user's
    // own again, for the programs the user opens from here.
    void environmentRestored()
    {
        const bool hadAll = qEnvironmentVariableIsSet("LC_ALL");
        const QByteArray all = qgetenv("LC_ALL");
        qputenv("LC_ALL", "C");
        qunsetenv("LC_TIME");
        qunsetenv("LC_CTYPE");
        {
            Startup::ItalianEnvironment italian;
            QCOMPARE(qgetenv("LC_TIME"), QByteArray("it_IT.UTF-8"));
            QVERIFY(!qEnvironmentVariableIsSet("LC_ALL"));
            QCOMPARE(qgetenv("LC_CTYPE"), QByteArray("C"));
        }
        QCOMPARE(qgetenv("LC_ALL"), QByteArray("C"));
        QVERIFY(!qEnvironmentVariableIsSet("LC_TIME"));
        if (hadAll)
            qputenv("LC_ALL", all);
        else
            qunsetenv("LC_ALL");
    }
#endif
};

QTEST_MAIN(TestItalianTexts)
#include "tst_italiantexts.moc"
