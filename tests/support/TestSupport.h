#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class AppWindows;

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
bool writeFile(const QString &path, const QByteArray &bytes);

}  // namespace TestSupport
