#pragma once

#include "base/CellGrid.h"
#include "template/TemplateEditGrid.h"
#include "template/TemplateGridInput.h"
#include "ui/template/TemplateEditorEnv.h"

#include <QDialog>

#include <memory>

class CVSFlexGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QtLaunchRequester;
class ReferenceValues;

// The template dialog: the column grid and the template-wide options of one template, in edit
// mode (an existing template) or add mode (a new name). OK validates, writes the template through
// the template writer and closes only after a successful write.
class CTemplateDlg : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Edit, Add };

    CTemplateDlg(Mode mode, std::string name, const TemplateEditorEnv& env,
                 QWidget* parent = nullptr);
    ~CTemplateDlg() override;

    TemplateEditGrid& editGrid() { return m_editGrid; }
    void accept() override;
    // Refused while the definition program runs: its completion still comes to this dialog.
    void reject() override;
    const std::string& storageFolder() const { return m_storageFolder; }
    const std::string& docType() const { return m_docType; }

private:
    void load();
    void openDetail();
    void chooseFolder();
    // The storage folder in its label, shortened in the middle, whole in the tooltip.
    void showFolder();
    void focusRefused(TemplateEditRefusal::Field field);
    TemplateOptions options() const;
    void startReferenceValues();
    void definitionsReady(int message);

    std::string m_name;
    const TemplateEditorEnv& m_env;
    CellGrid m_cells;
    TemplateEditGrid m_editGrid;
    TemplateGridInput m_input;
    std::string m_storageFolder;
    std::string m_docType;
    CVSFlexGrid* m_view = nullptr;
    QPushButton* m_detail = nullptr;
    QCheckBox* m_replace = nullptr;
    QLineEdit* m_replacement = nullptr;
    QLineEdit* m_connector = nullptr;
    QCheckBox* m_sortExport = nullptr;
    QCheckBox* m_rememberWidths = nullptr;
    QLabel* m_folderLabel = nullptr;
    QPushButton* m_browse = nullptr;
    QLabel* m_docTypeLabel = nullptr;
    std::unique_ptr<ReferenceValues> m_reference;
    QtLaunchRequester* m_requester = nullptr;
    bool m_definitionRunning = false;
};
