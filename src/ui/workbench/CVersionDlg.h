#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

// The version window: the product title, "Version" with the version text and "(Build %s)" with
// the build number. As a splash screen its OK button is hidden and it closes itself after two
// seconds.
class CVersionDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSplashMs = 2000;
    enum ControlId { ProductTitle = 1140 };

    CVersionDlg(const QString& version, const QString& build, bool splash,
                QWidget* parent = nullptr);

    bool isSplash() const { return m_splash; }
    QString versionText() const;
    QString buildText() const;

private:
    bool m_splash;
    QString m_versionText;
    QString m_buildText;
};
