#pragma once

#include <QCoreApplication>

// An application object for tests that need one (Qt loads its SQLite driver only through it), made on
// first use and kept for the whole test program.
inline void ensureCoreApplication() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        static QCoreApplication application(argc, argv);
    }
}
