#pragma once
// One main for every test program: pins what varies between machines (locale,
// style, time zone) so a test never depends on the desk it runs on.

#include <QTest>

int porukaTestMain(int argc, char** argv, QObject* testObject);

#define PORUKA_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        TestClass tc;                                                                                                  \
        return porukaTestMain(argc, argv, &tc);                                                                        \
    }
