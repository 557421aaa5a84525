#pragma once

#include "execute/ExecuteDialogs.h"

#include <QPointer>
#include <QWidget>

// The rename run's dialogs as real windows over the given owner.
class QtExecuteDialogs final : public ExecuteDialogs {
public:
    explicit QtExecuteDialogs(QWidget* owner = nullptr) : m_owner(owner) {}

    std::optional<std::string> inputFileName(NameMode mode, const std::string& preset,
                                             const NameCheck& accept) override;
    bool confirmOverwrite(const std::vector<std::string>& paths) override;

private:
    QPointer<QWidget> m_owner;
};
