#include "ui/app/CCorvelApp.h"

#include "app/AppContext.h"
#include "app/ProgramVersion.h"
#include "app/SettingsStore.h"
#include "base/FileSystem.h"
#include "base/Messages.h"
#include "base/RegistryStore.h"
#include "ui/app/AutomationServer.h"
#include "ui/app/SingleInstance.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtPrompter.h"
#include "ui/base/QtText.h"
#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/CVersionDlg.h"
#include "workbench/Workbench.h"

#include <QFileInfo>
#include <QFont>
#include <QIcon>

CCorvelApp::CCorvelApp(int& argc, char** argv) : m_app(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Nomira"));
    // The installed desktop entry and the icon in the hicolor theme; without them (a build
    // folder) the windows keep the platform's default icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.orvane.Nomira"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("nomira")));
    applyJapaneseFont(m_app);
    // Qt's standard dialogs and menus (the folder chooser, a scroll bar's menu) speak Japanese
    // like the rest of the program; without the translations installed they stay English.
    qtcaptions::installQtTranslations(m_app);
}

void CCorvelApp::applyJapaneseFont(QApplication& app) {
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    app.setFont(font);
}

std::vector<std::string> CCorvelApp::cp932Arguments(const QStringList& arguments) {
    std::vector<std::string> out;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        out.push_back(qttext::toCp932(arguments[i]));
    }
    return out;
}

int CCorvelApp::run() {
    QtPrompter prompter;
    const RegistryStore registry(RegistryStore::defaultPath());
    AppContext context{
        AppPaths(registry, qttext::toCp932(QApplication::applicationFilePath())), {}, {}, {}, 0};

    // The command line, read against the data folder of the registry store.
    context.request = StartupRequest::parse(cp932Arguments(QApplication::arguments()),
                                            context.paths.dataFolder(), prompter);

    // The interprocess runtime needs a private folder for its lock and sockets.
    const QString runtime = SingleInstance::runtimeFolder();
    if (!QFileInfo(runtime).isDir() || !QFileInfo(runtime).isWritable()) {
        prompter.tell(Msg::OleInitFailed);
        return 1;
    }

    SingleInstance instance(qttext::fromCp932(texts::windowTitle()), runtime);
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        break;
    case SingleInstance::Result::AlreadyRunning:
        // A work data file opened from the file manager goes to the running window.
        if (context.request.workDataGiven &&
            instance.openInRunning(qttext::fromCp932(context.request.workDataPath))) {
            return 0;
        }
        prompter.tell(Msg::AlreadyRunning);
        instance.activateRunning();
        return 0;
    case SingleInstance::Result::Failed:
        return 1;
    }

    SettingsStore exportSettings(context.paths.settingsFilePath(), context.paths.dataFolder());
    context.exportType = exportSettings.exportType();

    {
        CVersionDlg splash(QString::fromLatin1(programversion::kVersion),
                           QString::fromLatin1(programversion::kBuildNumber), true);
        splash.exec();
    }

    AutomationServer automation(runtime);
    automation.listen();

    context.applicationProfile = context.paths.applicationProfile();

    const auto folders = WorkingFolders::prepare(context.paths.dataFolder(), prompter);
    if (!folders) {
        return 1;
    }
    context.folders = *folders;

    {
        CCorvelDlg dialog(context);
        instance.setMainWindow(&dialog);
        automation.setMainWindow(&dialog);
        QObject::connect(
            &instance, &SingleInstance::workDataOpenRequested, &dialog,
            [&dialog](const QString& path) {
                dialog.workbench().workData().openGiven(qttext::toCp932(path));
            },
            Qt::QueuedConnection);
        dialog.exec();
        automation.clearLinks();
        instance.setMainWindow(nullptr);
    }
    instance.release();
    return 0;
}
