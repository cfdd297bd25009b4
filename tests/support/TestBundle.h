#pragma once

// The tests of one folder are built into one program (a test bundle), several test files to a
// compiler run. This header comes before each test file of a bundle and turns QTEST_MAIN,
// QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN, which all expand QTEST_MAIN_WRAPPER, into a registered
// function with the very body of the main() that QtTest would write: the application object, the
// test object and QTest::qExec, in the same order. TestBundleMain.cpp runs the test named by the first
// argument, so each test still runs in a process of its own, as before.

#include <QtTest>

namespace TestBundle {
using RunFunction = int (*)(int argc, char *argv[]);
// Registers the test of the file at sourcePath under the file's base name ("tst_clienti").
bool add(const char *sourcePath, RunFunction run);
}  // namespace TestBundle

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                                            \
  static int runBundledTest_##TestObject(int argc, char *argv[])                                                       \
  {                                                                                                                    \
    QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                                 \
    __VA_ARGS__                                                                                                        \
    TestObject tc;                                                                                                     \
    QTEST_SET_MAIN_SOURCE_PATH                                                                                         \
    return QTest::qExec(&tc, argc, argv);                                                                              \
  }                                                                                                                    \
  [[maybe_unused]] static const bool registeredBundledTest_##TestObject =                                              \
      TestBundle::add(__FILE__, runBundledTest_##TestObject);
