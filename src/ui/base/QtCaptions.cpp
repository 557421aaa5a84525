#include "ui/base/QtCaptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace {

QString captionOf(int standardButton) {
    switch (standardButton) {
    case QMessageBox::Yes:
        return QString::fromUtf8("はい(&Y)");
    case QMessageBox::No:
        return QString::fromUtf8("いいえ(&N)");
    case QMessageBox::Cancel:
        return QString::fromUtf8("ｷｬﾝｾﾙ");
    case QMessageBox::Ok:
        return QStringLiteral("OK");
    default:
        return {};
    }
}

} // namespace

namespace qtcaptions {

void caption(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
        const QString text = captionOf(box.standardButton(button));
        if (!text.isEmpty()) {
            button->setText(text);
        }
    }
}

void caption(QDialogButtonBox& buttons) {
    for (QAbstractButton* button : buttons.buttons()) {
        const QString text = captionOf(buttons.standardButton(button));
        if (!text.isEmpty()) {
            button->setText(text);
        }
    }
}

bool installQtTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

} // namespace qtcaptions
