#pragma once

#include <QApplication>
#include <QStringList>

struct AppContext;
class Prompter;

// The application object: everything between process start and the main window, in a fixed
// order, and the little that follows the window's close.
class CCorvelApp {
public:
    CCorvelApp(int& argc, char** argv);

    // Runs start-up, the main window and the end; returns the process exit status.
    int run();

    // Program arguments after the program name, as cp932 texts.
    static std::vector<std::string> cp932Arguments(const QStringList& arguments);
    // The face used for Japanese text on screen.
    static void applyJapaneseFont(QApplication& app);

private:
    QApplication m_app;
};
