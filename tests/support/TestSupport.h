#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class AppWindows;
struct SchedaRecord;
struct PreparedReport;
struct ReportObject;

// Shared by the tests: scripted modal steps, a temporary program folder, the whole-run windows.
namespace TestSupport {

// Turns every modal step (message boxes, file dialogs, print dialog, report preview, shell open, the
// camera) into a scripted one and sets the process formats and translations as the program does. Call from
// initTestCase().
void scriptEverything();

// A fresh program folder for one test (the test run stops when none can be made).
std::unique_ptr<QTemporaryDir> programFolder();

// The whole-run windows in a folder, created hidden; ending the program only sets *ended.
std::unique_ptr<AppWindows> createWindows(const QString &folder, bool *ended = nullptr);

QByteArray readFile(const QString &path);

// A picture of one colour (RGB32), the fixture of every photo and logo test.
QImage solid(const QColor &colour, const QSize &size);
// The bytes of a JPEG file of such a picture (quality 80), as a photo on the disk.
QByteArray solidJpeg(const QColor &colour, const QSize &size);
// The object of that name on any page of a prepared report, or nullptr.
const ReportObject *objectNamed(const PreparedReport &report, const QString &name);
bool writeFile(const QString &path, const QByteArray &bytes);
// An unpaid sheet of 10,00 with its number, date, customer and vehicle filled in.
SchedaRecord sampleSheet(const QString &number);

// Another workstation saves the record at a position of an archive of the program folder with the
// fields given ("Pagato=Sì") changed: a process of its own (helper_workstation) reads the record and
// overwrites it. archive: "schede", "clienti" or "automezzi". False when the process failed.
bool saveOnAnotherWorkstation(const QString &folder, const QString &archive, qint64 position,
                              const QStringList &fields);

}  // namespace TestSupport
