// Every built-in picture the code names (":/icons/...", ":/art/..." and the like) is compiled in.
// A resource that is missing shows no error at run time, only a blank button, so the sources are
// read here and each name they use is looked up among the compiled-in resources.

#include "support/TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }
    void namedResourceExists_data();
    void namedResourceExists();
};

void TestResources::namedResourceExists_data()
{
    QTest::addColumn<QString>("resource");

    static const QRegularExpression named(QStringLiteral("\"(:/[^\"]+\\.[A-Za-z0-9]+)\""));
    const QString sourceRoot = QStringLiteral(CABLORA_SOURCE_DIR);
    int found = 0;
    for (const QString &folder : {QStringLiteral("src"), QStringLiteral("tools"), QStringLiteral("bench")}) {
        QDirIterator it(sourceRoot + QLatin1Char('/') + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            int lineNumber = 0;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine());
                ++lineNumber;
                for (const QRegularExpressionMatch &m : named.globalMatch(line)) {
                    const QString where = path.mid(sourceRoot.size() + 1) + QLatin1Char(':')
                                          + QString::number(lineNumber) + QLatin1Char(' ') + m.captured(1);
                    QTest::newRow(qPrintable(where)) << m.captured(1);
                    ++found;
                }
            }
        }
    }
    // The windows name dozens of pictures: finding none means the sources were not read.
    QVERIFY(found > 20);
}

void TestResources::namedResourceExists()
{
    QFETCH(QString, resource);
    QVERIFY2(QFile::exists(resource), qPrintable(resource + QStringLiteral(" is not compiled in")));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
