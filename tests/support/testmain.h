#pragma once

// Several GUI test classes share one program; each ctest entry names the class to run as the program's first
// argument, and the rest of the arguments go to that class's run as they would to a program of its own.
namespace testmain {

using Run = int (*)(int argc, char** argv);

/// Makes a test class runnable by its name; called by TROMBUS_TEST_ENTRY before main.
bool add(const char* name, Run run);

} // namespace testmain

// Defines what running the named test class does (the body of a program's main, given the arguments after the
// class name) and registers it under that name.
#define TROMBUS_TEST_ENTRY(Name)                                                                                       \
    static int trombusRun##Name(int argc, char** argv);                                                                \
    [[maybe_unused]] static const bool trombusAdded##Name = testmain::add(#Name, &trombusRun##Name);                   \
    static int trombusRun##Name(int argc, char** argv)

// A GUI test's run: the program's own application object, so errors escaping a handler reach the default error
// report exactly as in the program.
#define TROMBUS_GUI_TEST_MAIN(TestClass)                                                                               \
    TROMBUS_TEST_ENTRY(TestClass)                                                                                      \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        TApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
