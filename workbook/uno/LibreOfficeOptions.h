#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace telvainn::excel::uno {

struct LibreOfficeOptions {
    // Headless for the command-line tool, tests and the build; windows for the desktop program.
    bool headless = true;
    // The office program; empty: the one named by $TELVAINN_SOFFICE, else the distribution's.
    QString soffice;
    // Below this folder the office keeps its private user profiles; empty: the user's cache folder.
    QString profileFolder;
    // How long soffice may take to start and accept the connection.
    std::chrono::milliseconds startTimeout{30000};
    // The bound on every call into the office: a hung office is killed and the call raises.
    std::chrono::milliseconds callTimeout{60000};
    // Runs on the calling thread before each call the program makes into the office (calls made within
    // a call not counted). Empty in the programs; tests end the office here at a call of their choice.
    std::function<void()> beforeCall;
};

}  // namespace telvainn::excel::uno
