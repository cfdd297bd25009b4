// Export and import of the three archives in CSV and JSON, through the command-line verbs.
#include "archive/AutomezzoRecord.h"
#include "archive/ClienteRecord.h"
#include "archive/RecordArchive.h"
#include "archive/SchedaRecord.h"
#include "backup/CommandLine.h"
#include "backup/OpenFormats.h"
#include "common/FaultInjection.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>
#include <QtTest>

#ifdef Q_OS_UNIX
#  include <csignal>
#endif

namespace {

constexpr qint64 RowReaderLimit = OpenFormats::RowReader::kMaxRowBytes;

struct Run
{
    int code;
    QString out;
    QString err;
};

Run verb(const QStringList &arguments, const QString &folder)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = CommandLine::run(arguments, folder, out, err);
    return run;
}

// Three records whose texts hold what CSV and JSON must escape, Windows-1252 letters outside ASCII
// (è, €) and a text as long as its field allows.
void fillArchive(const QString &folder, const RecordFormat &format)
{
    RecordArchive archive;
    QVERIFY(archive.OpenOrCreate(QDir(folder).filePath(format.fileName()), format.size()));
    const QStringList samples = {QStringLiteral("Rossi, Mario"),         QStringLiteral("dice \"ciao\""),
                                 QStringLiteral("riga uno\r\nriga due"), QStringLiteral("perché 10 €"),
                                 QStringLiteral("tab\tdentro"),          QString()};
    for (int r = 0; r < 3; ++r) {
        QByteArray bytes(format.size(), '\0');
        for (int f = 0; f < format.fieldCount(); ++f) {
            QString text = samples.at((r + f) % samples.size());
            if (f == r)  // one field per record filled to its capacity
                text = QString(format.field(f).capacity, QChar(0xE8));
            else  // stored as a reader gives it back: cut to the field, without outer blanks
                text = text.left(format.field(f).capacity).trimmed();
            format.put(bytes, f, text);
        }
        QVERIFY(archive.Append(bytes) > 0);
    }
}

}  // namespace

class TestOpenFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void csvField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Rossi"
                               << "Rossi";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("comma") << "a,b"
                               << "\"a,b\"";
        QTest::newRow("quote doubled") << "dice \"no\""
                                       << "\"dice \"\"no\"\"\"";
        QTest::newRow("CRLF") << "a\r\nb"
                              << "\"a\r\nb\"";
        QTest::newRow("LF") << "a\nb"
                            << "\"a\nb\"";
        QTest::newRow("accent untouched") << "perché"
                                          << "perché";
    }
    void csvField()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(OpenFormats::csvField(text), field);
        // Read back as a one-column file it gives the text again.
        const OpenFormats::Parsed parsed =
            OpenFormats::parse(OpenFormats::Format::Csv, QByteArray("X\r\n") + field.toUtf8() + "\r\n");
        if (!text.isEmpty()) {
            QCOMPARE(parsed.rows.size(), 1);
            QCOMPARE(parsed.rows.at(0).value(0), text);
        }
    }

    void csvLayout()
    {
        const QByteArray csv =
            OpenFormats::write(OpenFormats::Format::Csv, {"Posizione", "Nome"}, {{"1", "a,b"}, {"2", "x"}});
        QCOMPARE(csv, QByteArray("Posizione,Nome\r\n1,\"a,b\"\r\n2,x\r\n"));
        // A row of one empty field is not an empty line, which would read as no row.
        const QByteArray oneColumn = OpenFormats::write(OpenFormats::Format::Csv, {"Nome"}, {{""}, {"x"}});
        QCOMPARE(oneColumn, QByteArray("Nome\r\n\"\"\r\nx\r\n"));
        const OpenFormats::Parsed parsed = OpenFormats::parse(OpenFormats::Format::Csv, oneColumn);
        QCOMPARE(parsed.rows, (QVector<QStringList>{{""}, {"x"}}));
        // A position is written as a JSON number, whatever its spelling in the rows.
        const QByteArray json = OpenFormats::write(OpenFormats::Format::Json, {"Posizione", "Nome"},
                                                   {{"05", "a"}, {"+6", "b"}, {"x7", "c"}});
        QVERIFY2(json.contains("\"Posizione\": 5,") && json.contains("\"Posizione\": 6,")
                     && json.contains("\"Posizione\": \"x7\""),
                 json.constData());
        QVERIFY(OpenFormats::parse(OpenFormats::Format::Json, json).error.isEmpty());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("format");
        for (const char *archive : {"schede", "clienti", "automezzi"}) {
            for (const char *format : {"csv", "json"})
                QTest::addRow("%s %s", archive, format) << archive << format;
        }
    }
    void roundTrip()
    {
        QFETCH(QString, archive);
        QFETCH(QString, format);
        const RecordFormat *record = OpenFormats::formatForArchive(archive);
        QVERIFY(record);
        auto source = TestSupport::programFolder();
        auto target = TestSupport::programFolder();
        fillArchive(source->path(), *record);
        const QString first = source->filePath(QStringLiteral("uno.") + format);
        const QString second = source->filePath(QStringLiteral("due.") + format);

        Run run = verb({"export", archive, "--format", format, first}, source->path());
        QCOMPARE(run.code, 0);
        run = verb({"import", archive, first}, target->path());
        QVERIFY2(run.code == 0, qPrintable(run.err));
        run = verb({"export", archive, "--format", format, second, "--cartella", target->path()}, QString());
        QCOMPARE(run.code, 0);

        const QByteArray exported = TestSupport::readFile(first);
        QCOMPARE(TestSupport::readFile(second), exported);
        QCOMPARE(TestSupport::readFile(target->filePath(record->fileName())),
                 TestSupport::readFile(source->filePath(record->fileName())));
        // The file is UTF-8 and names every field and the position.
        QVERIFY(exported.contains(QStringLiteral("perché 10 €").toUtf8()));
        for (int f = 0; f < record->fieldCount(); ++f)
            QVERIFY(exported.contains(record->field(f).name));
        QVERIFY(exported.contains("Posizione"));
        if (format == QLatin1String("json"))
            QVERIFY(exported.contains("\"Posizione\": 3"));
        else
            QVERIFY(exported.contains("\r\n3,"));
    }

    // The export lists the whole records only; an archive that cannot be read writes no file and
    // says why in Italian.
    void exportArchiveAsStored_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("folderInPlace");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("three records") << QByteArray() << false << 0 << QStringLiteral("Esportati 3 record");
        QTest::newRow("a trailing fragment is no record")
            << QByteArray(7, 'x') << false << 0 << QStringLiteral("Esportati 3 record");
        QTest::newRow("a folder in place of the archive")
            << QByteArray() << true << 1
            << QStringLiteral("Impossibile leggere l'archivio Clienti.pro: è una cartella, non un file");
    }
    void exportArchiveAsStored()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, folderInPlace);
        QFETCH(int, code);
        QFETCH(QString, said);
        auto folder = TestSupport::programFolder();
        const QString archive = folder->filePath(ClienteRecord::fileName());
        if (folderInPlace) {
            QVERIFY(QDir(folder->path()).mkdir(ClienteRecord::fileName()));
        } else {
            fillArchive(folder->path(), ClienteRecord::format());
            QVERIFY(TestSupport::writeFile(archive, TestSupport::readFile(archive) + tail));
        }
        const QString csv = folder->filePath(QStringLiteral("clienti.csv"));
        const Run run = verb({"export", "clienti", csv}, folder->path());
        QCOMPARE(run.code, code);
        QVERIFY2((code == 0 ? run.out : run.err).contains(said), qPrintable(run.out + run.err));
        QCOMPARE(QFileInfo::exists(csv), code == 0);
        if (code == 0)
            QVERIFY(TestSupport::readFile(csv).contains("\r\n3,"));
    }

    // Any faulty row stops the whole import: the archive is left exactly as it was.
    void importRefused_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QByteArray good = "Cognome,Nome\r\nRossi,Mario\r\n";
        QTest::newRow("unknown column") << "c.csv" << QByteArray("Cognome,Colore\r\nRossi,rosso\r\n")
                                        << "Colonna sconosciuta: \"Colore\"";
        QTest::newRow("too long in bytes") << "c.csv" << good + "Bianchi,Anna\r\nVerdi," + QByteArray(51, 'x') + "\r\n"
                                           << "Record 3: \"Nome\" è lungo 51 caratteri, al massimo 50";
        QTest::newRow("not in code page")
            << "c.csv" << good + QStringLiteral("Ωmega,Li\r\n").toUtf8() << "Record 2: \"Cognome\" contiene caratteri";
        QTest::newRow("field count") << "c.csv" << good + "Verdi\r\n"
                                     << "Record 2: ha 1 campi invece di 2";
        QTest::newRow("unterminated quote") << "c.csv" << good + "\"Verdi,Anna\r\n"
                                            << "virgolette";
        // A quote inside a field that does not start with one opens nothing: the row is refused and
        // the next row stays a row of its own.
        QTest::newRow("stray quote") << "c.csv" << good + "Verdi,Cerchi 16\" lega\r\nBianchi,Anna\r\n"
                                     << "Record 2: il campo 2 contiene una virgoletta";
        QTest::newRow("text after closing quote") << "c.csv" << good + "\"Verdi\"x,Anna\r\n"
                                                  << "Record 2: nel campo 1 segue altro testo";
        QTest::newRow("not UTF-8") << "c.csv" << good + "Verdi,perch\xE9\r\n"
                                   << "Record 2: il testo non è in codifica UTF-8";
        QTest::newRow("json not UTF-8") << "c.json" << QByteArray("[{\"Cognome\":\"perch\xE9\"}]")
                                        << "non è in codifica UTF-8";
        QTest::newRow("json deeply nested") << "c.json"
                                            << "[{\"Note\":" + QByteArray(5000, '[') + QByteArray(5000, ']') + "}]"
                                            << "Record 1: contiene valori annidati";
        QTest::newRow("no end of line: a row longer than any record")
            << "c.csv"
            << "Cognome\r\n" + QByteArray(RowReaderLimit + 10, 'x') << "supera i 4 MB";
        QTest::newRow("a folder") << "cartella.csv" << QByteArray() << "non è un file su disco";
        QTest::newRow("json number") << "c.json" << QByteArray(R"([{"Cognome":"Rossi"},{"Cognome":7}])")
                                     << "Record 2: il valore di \"Cognome\" non è un testo";
        QTest::newRow("json broken") << "c.json" << QByteArray(R"([{"Cognome":"Rossi"})") << "non è valido";
        QTest::newRow("json not array") << "c.json" << QByteArray(R"({"Cognome":"Rossi"})") << "elenco";
    }
    void importRefused()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        auto folder = TestSupport::programFolder();
        fillArchive(folder->path(), ClienteRecord::format());
        const QString archivePath = folder->filePath(ClienteRecord::fileName());
        const QByteArray before = TestSupport::readFile(archivePath);
        const QString file = folder->filePath(fileName);
        if (fileName == QLatin1String("cartella.csv"))
            QVERIFY(QDir().mkpath(file));
        else
            QVERIFY(TestSupport::writeFile(file, content));

        for (const QStringList &arguments :
             {QStringList{"import", "clienti", file, "--dry-run"}, QStringList{"import", "clienti", file}}) {
            const Run run = verb(arguments, folder->path());
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains(reason), qPrintable(run.err));
            QCOMPARE(TestSupport::readFile(archivePath), before);
        }
    }

    // Refused rows are listed up to a limit, then counted; an unknown column is named once.
    void refusedListIsCapped()
    {
        auto folder = TestSupport::programFolder();
        const QString file = folder->filePath(QStringLiteral("c.csv"));
        QByteArray csv = "Cognome,Nome" + QByteArray(100000, ',') + "\r\n";
        for (int i = 0; i < 500; ++i)
            csv += "Verdi\r\n";
        QVERIFY(TestSupport::writeFile(file, csv));
        const Run run = verb({"import", "clienti", file}, folder->path());
        QCOMPARE(run.code, 1);
        const QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.count(QStringLiteral("Colonna sconosciuta: \"\".")), 1);
        QCOMPARE(lines.size(), OpenFormats::Problems::kShown + 2);
        QVERIFY2(lines.at(lines.size() - 2).contains(QStringLiteral("e altri 401 problemi (501 in tutto)")),
                 qPrintable(lines.at(lines.size() - 2)));
    }

    // Options stand anywhere on the command line.
    void optionsBeforeTheVerb()
    {
        auto folder = TestSupport::programFolder();
        fillArchive(folder->path(), ClienteRecord::format());
        const QString file = folder->filePath(QStringLiteral("x.csv"));
        const Run run = verb({"--cartella", folder->path(), "--format", "csv", "export", "clienti", file}, QString());
        QCOMPARE(run.code, 0);
        QVERIFY(run.out.contains(QStringLiteral("Esportati 3 record")));
        QVERIFY(CommandLine::isCommandLine({"--cartella", "x", "export", "clienti", "x.csv"}));
        QVERIFY(CommandLine::isCommandLine({"exprot"}));
        QVERIFY(!CommandLine::isCommandLine({}));
        QVERIFY(!CommandLine::isCommandLine({"-platform", "offscreen"}));
    }

    // The program asked for its windows where there is no display (none named, or one that cannot
    // be reached) prints the usage and ends with 2; a verb after its options still runs without one.
    void programWithoutDisplay()
    {
        auto folder = TestSupport::programFolder();
        fillArchive(folder->path(), ClienteRecord::format());
        for (const QString &display : {QString(), QStringLiteral(":987")}) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(QString::fromLatin1(name));
            if (!display.isEmpty())
                environment.insert(QStringLiteral("DISPLAY"), display);
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(CABLORA_EXECUTABLE), QStringList{});
            QVERIFY(program.waitForFinished(60000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 2);
            QVERIFY(QString::fromLocal8Bit(program.readAllStandardError()).contains(QStringLiteral("Uso:")));

            const QString file = folder->filePath(QStringLiteral("x.csv"));
            program.start(QStringLiteral(CABLORA_EXECUTABLE),
                          {"--cartella", folder->path(), "export", "clienti", file});
            QVERIFY(program.waitForFinished(60000));
            QCOMPARE(program.exitCode(), 0);
            QVERIFY(QFile::exists(file));
        }
    }

    void importChecksCodePageBytes()
    {
        // 50 letters "è" are 100 bytes of UTF-8 but 50 of Windows-1252: they fit a 50-character field.
        auto folder = TestSupport::programFolder();
        const QString file = folder->filePath(QStringLiteral("c.csv"));
        QVERIFY(TestSupport::writeFile(file, "Posizione,Cognome\r\n9," + QString(50, QChar(0xE8)).toUtf8() + "\r\n"));
        Run run = verb({"import", "clienti", file, "--dry-run"}, folder->path());
        QCOMPARE(run.code, 0);
        QVERIFY(!QFile::exists(folder->filePath(ClienteRecord::fileName())));
        run = verb({"import", "clienti", file}, folder->path());
        QCOMPARE(run.code, 0);
        const QByteArray stored = TestSupport::readFile(folder->filePath(ClienteRecord::fileName()));
        QCOMPARE(stored.size(), ClienteRecord::kSize);
        QCOMPARE(ClienteRecord::fromBytes(stored).Cognome, QString(50, QChar(0xE8)));
        QVERIFY(run.out.contains(QStringLiteral("Aggiunti 1 record")));
    }

    // An import that the system stops at any step of its write (a full disk, a refused flush) adds
    // nothing: the archive keeps its bytes, no journal stays, and the verb says so.
    void importFailsWhole()
    {
        auto folder = TestSupport::programFolder();
        fillArchive(folder->path(), ClienteRecord::format());
        const QString archivePath = folder->filePath(ClienteRecord::fileName());
        const QByteArray before = TestSupport::readFile(archivePath);
        const QString file = folder->filePath(QStringLiteral("nuovi.csv"));
        QByteArray csv = "Cognome,Nome\r\n";
        for (int i = 1; i <= 5; ++i)
            csv += "Cliente" + QByteArray::number(i) + ",Anna\r\n";
        QVERIFY(TestSupport::writeFile(file, csv));

        FaultInjection::reset();
        Run run = verb({"import", "clienti", file}, folder->path());
        const int steps = FaultInjection::stepsSeen();
        QCOMPARE(run.code, 0);
        QCOMPARE(TestSupport::readFile(archivePath).size(), before.size() + 5 * ClienteRecord::kSize);
        for (int n = 1; n <= steps; ++n) {
            QVERIFY(TestSupport::writeFile(archivePath, before));
            FaultInjection::reset();
            FaultInjection::failNthStep(n);
            run = verb({"import", "clienti", file}, folder->path());
            FaultInjection::reset();
            const QString where = QStringLiteral("step %1 of %2: %3").arg(n).arg(steps).arg(run.err);
            QVERIFY2(run.code == 1, qPrintable(where));
            QVERIFY2(run.err.contains(QStringLiteral("Nessun record è stato aggiunto")), qPrintable(where));
            QVERIFY2(!run.out.contains(QStringLiteral("Aggiunti")), qPrintable(where));
            QVERIFY2(TestSupport::readFile(archivePath) == before, qPrintable(where));
            QVERIFY2(!QFile::exists(archivePath + QStringLiteral("-journal")), qPrintable(where));
        }
    }

    // The program killed at random moments of an import, many of them while it writes: once the
    // next writer has opened the archive, it holds all of the import's records or none of them,
    // never a part that a second run of the import would double.
    void killedImports()
    {
#ifndef Q_OS_UNIX
        QSKIP("kills the program with SIGKILL");
#else
        constexpr int kRecords = 2000;
        auto folder = TestSupport::programFolder();
        fillArchive(folder->path(), ClienteRecord::format());
        const QString archivePath = folder->filePath(ClienteRecord::fileName());
        const QString journalPath = archivePath + QStringLiteral("-journal");
        const QByteArray initial = TestSupport::readFile(archivePath);
        const QString file = folder->filePath(QStringLiteral("nuovi.csv"));
        QByteArray csv = "Cognome,Nome,Note\r\n";
        for (int i = 1; i <= kRecords; ++i)
            csv += "Cliente" + QByteArray::number(i) + ",Anna," + QByteArray(200, char('a' + i % 26)) + "\r\n";
        QVERIFY(TestSupport::writeFile(file, csv));
        const OpenFormats::Checked checked =
            OpenFormats::check(ClienteRecord::format(), OpenFormats::parse(OpenFormats::Format::Csv, csv));
        QVERIFY(checked.problems.isEmpty());
        QCOMPARE(checked.records.size(), kRecords);
        const QByteArray imported = checked.records.toList().join();

        const QString exported = folder->filePath(QStringLiteral("elenco.csv"));
        QRandomGenerator random(27027u);
        QByteArray content = initial;
        int whole = 0, none = 0, midWrite = 0;
        for (int run = 0; run < 40; ++run) {
            QProcess program;
            program.start(QStringLiteral(CABLORA_EXECUTABLE),
                          {"import", "clienti", file, "--cartella", folder->path()});
            QVERIFY(program.waitForStarted());
            bool journalSeen = false;
            if (run % 2 == 0) {
                // Killed while it writes: as soon as its append mark is there, after a few microseconds.
                while (!(journalSeen = QFileInfo::exists(journalPath)) && !program.waitForFinished(0))
                    QThread::usleep(20);
                QThread::usleep(random.bounded(0, 3000));
            } else {
                QThread::usleep(random.bounded(0, 400000));
            }
            ::kill(pid_t(program.processId()), SIGKILL);
            QVERIFY(program.waitForFinished(60000));
            midWrite += journalSeen && program.exitStatus() == QProcess::CrashExit;
            const bool finished = program.exitStatus() == QProcess::NormalExit;
            if (finished)
                QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());

            // A verb that only reads puts right first what the killed import left: it never lists
            // records of an import that did not end.
            const Run listed = verb({QStringLiteral("export"), QStringLiteral("clienti"), exported}, folder->path());
            QVERIFY2(listed.code == 0, qPrintable(listed.err));
            QVERIFY(!QFile::exists(journalPath));
            const QByteArray now = TestSupport::readFile(archivePath);
            QVERIFY2(listed.out.contains(QStringLiteral("Esportati %1 record").arg(now.size() / ClienteRecord::kSize)),
                     qPrintable(listed.out));
            QVERIFY2(now.startsWith(content), qPrintable(QStringLiteral("run %1: earlier records changed").arg(run)));
            if (now.size() == content.size()) {
                QVERIFY2(!finished, qPrintable(QStringLiteral("run %1: a finished import added nothing").arg(run)));
                ++none;
            } else {
                QVERIFY2(now == content + imported,
                         qPrintable(QStringLiteral("run %1: %2 records after the import's kill, %3 before")
                                        .arg(run)
                                        .arg(now.size() / ClienteRecord::kSize)
                                        .arg(content.size() / ClienteRecord::kSize)));
                ++whole;
            }
            content = now;
            if (content.size() > 4 * imported.size()) {
                QVERIFY(TestSupport::writeFile(archivePath, initial));
                content = initial;
            }
        }
        qInfo("40 imports: %d whole, %d added nothing, %d killed while writing", whole, none, midWrite);
#endif
    }

    void commandLineErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown archive") << QStringList{"export", "fatture", "--format", "csv", "x.csv"};
        QTest::newRow("no format") << QStringList{"export", "clienti", "x.txt"};
        QTest::newRow("unknown option") << QStringList{"import", "clienti", "x.csv", "--forza"};
        QTest::newRow("missing value") << QStringList{"export", "clienti", "x.csv", "--format"};
        QTest::newRow("options only") << QStringList{"--cartella", "x"};
        QTest::newRow("unknown verb after an option") << QStringList{"--dry-run", "esporta"};
    }
    void commandLineErrors()
    {
        QFETCH(QStringList, arguments);
        auto folder = TestSupport::programFolder();
        const Run run = verb(arguments, folder->path());
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(QStringLiteral("Uso:")));
    }
};

QTEST_MAIN(TestOpenFormats)
#include "tst_openformats.moc"
