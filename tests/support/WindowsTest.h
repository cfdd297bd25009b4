#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class AppWindows;

// The base of a test that drives the whole-run windows: every test function starts with a fresh
// program folder, hidden windows created in it and no message shown, and ends with both gone. The
// modal steps are scripted once for the run. A test class derives from it and adds its own test
// functions.
class WindowsTest : public QObject
{
    Q_OBJECT

public:
    WindowsTest();
    ~WindowsTest() override;

protected:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppWindows> m_windows;

private slots:
    void initTestCase();
    void init();
    void cleanup();
};
