#include "support/WindowsTest.h"

#include "shell/AppWindows.h"
#include "support/TestSupport.h"
#include "widgets/MessageBoxes.h"

WindowsTest::WindowsTest() = default;

WindowsTest::~WindowsTest() = default;

void WindowsTest::initTestCase()
{
    TestSupport::scriptEverything();
}

void WindowsTest::init()
{
    m_folder = TestSupport::programFolder();
    m_windows = TestSupport::createWindows(m_folder->path());
    MessageBoxes::takeShown();
}

void WindowsTest::cleanup()
{
    m_windows.reset();
    m_folder.reset();
}
