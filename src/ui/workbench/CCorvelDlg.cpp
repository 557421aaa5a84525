#include "ui/workbench/CCorvelDlg.h"

#include "app/AppContext.h"
#include "base/Messages.h"
#include "ui/base/QtText.h"

CCorvelDlg::CCorvelDlg(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setWindowTitle(qttext::fromCp932(texts::windowTitle()));
    setObjectName(QStringLiteral("CCorvelDlg"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(1116, 910);
}
