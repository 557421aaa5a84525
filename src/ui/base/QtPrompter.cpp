#include "ui/base/QtPrompter.h"

#include "base/FileSystem.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtText.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString initialPath(const FileDialogRequest& request) {
    const std::string path =
        request.fileName.empty() ? request.folder : files::join(request.folder, request.fileName);
    return qttext::fromCp932(path);
}

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return qttext::toCp932(path);
}

} // namespace

Answer QtPrompter::showMessage(const std::string& text, const std::string& caption, Icon icon,
                               Buttons buttons) {
    QMessageBox box(qtIcon(icon), qttext::fromCp932(caption), qttext::fromCp932(text),
                    QMessageBox::NoButton, m_owner);
    // The first button is the default, except where Yes would replace a file.
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    qtcaptions::caption(box);
    if (m_owner == nullptr) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo ? Answer::No
                                                                               : Answer::Ok;
    }
}

std::optional<std::string> QtPrompter::chooseOpenFile(const FileDialogRequest& request) {
    return chosen(QFileDialog::getOpenFileName(m_owner, qttext::fromCp932(request.title),
                                               initialPath(request),
                                               qttext::fromCp932(request.filter)));
}

std::optional<std::string> QtPrompter::chooseSaveFile(const FileDialogRequest& request) {
    QFileDialog dialog(m_owner, qttext::fromCp932(request.title), initialPath(request),
                       qttext::fromCp932(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qttext::fromCp932(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return chosen(dialog.selectedFiles().front());
}

std::optional<std::string> QtPrompter::chooseFolder(const std::string& title,
                                                    const std::string& folder) {
    return chosen(QFileDialog::getExistingDirectory(m_owner, qttext::fromCp932(title),
                                                    qttext::fromCp932(folder)));
}
