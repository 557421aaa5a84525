#pragma once

class DialogHost;
class ImageListCommands;
class MagAreaCommands;
class MainView;
class Prompter;
class SettingsStore;
class Workbench;
struct WorkbenchState;

// "環境設定(&S)...": the environment settings dialog over the main window, and what the window
// does with its outcome: after OK the magnified views follow the area count, designation ends
// and Enter's default button follows EnterKeyAssign; after either button an announced reload
// lists the image folder again and re-applies the assignments.
class EnvironmentCommand {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        SettingsStore& settings;
        MagAreaCommands& magAreas;
        ImageListCommands& images;
        MainView& view;
        Prompter& prompter;
        DialogHost& dialogs;
    };

    explicit EnvironmentCommand(Parts parts) : m_p(parts) {}

    void run();

private:
    void applyConfirmed();

    Parts m_p;
};
