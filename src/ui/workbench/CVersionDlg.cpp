#include "ui/workbench/CVersionDlg.h"

#include "base/Messages.h"
#include "ui/base/QtText.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

CVersionDlg::CVersionDlg(const QString& version, const QString& build, bool splash, QWidget* parent)
    : QDialog(parent), m_splash(splash),
      m_versionText(version.isEmpty() ? QString() : QStringLiteral("Version ") + version),
      m_buildText(build.isEmpty() ? QString()
                                  : qttext::fromCp932(fillPlaceholders(texts::versionFormat(),
                                                                       {qttext::toCp932(build)}))) {
    const QString title = qttext::fromCp932(texts::windowTitle());
    setWindowTitle(splash ? title : QStringLiteral("バージョン情報"));
    setObjectName(QStringLiteral("CVersionDlg"));
    if (splash) {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    }

    auto* product = new QLabel(title, this);
    product->setObjectName(QStringLiteral("ProductTitle"));
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("ＭＳＰ ゴシック"), QStringLiteral("IPAPGothic")});
    titleFont.setPixelSize(24);
    titleFont.setBold(true);
    product->setFont(titleFont);

    auto* versionLabel = new QLabel(m_versionText, this);
    versionLabel->setObjectName(QStringLiteral("VersionText"));
    auto* buildLabel = new QLabel(m_buildText, this);
    buildLabel->setObjectName(QStringLiteral("BuildText"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setVisible(!splash);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(versionLabel);
    texts->addWidget(buildLabel);
    auto* row = new QHBoxLayout;
    row->addLayout(texts, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 20);
    outer->addLayout(row);

    if (splash) {
        setStyleSheet(QStringLiteral("CVersionDlg { border: 1px solid #666; background: white; }"));
        QTimer::singleShot(kSplashMs, this, &QDialog::accept);
    }
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString CVersionDlg::versionText() const {
    return m_versionText;
}

QString CVersionDlg::buildText() const {
    return m_buildText;
}
