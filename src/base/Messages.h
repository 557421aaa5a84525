#pragma once

#include "base/MessageTypes.h"

#include <initializer_list>
#include <string>
#include <string_view>

// Every message the program shows to the operator. Code names a message; the catalogue spells it.
enum class Msg {
    OleInitFailed,
    AlreadyRunning,
    DataFolderMissing,
    FolderCreateFailed,
    ImageFolderMissing,
    TemplateReadFailed,
    TemplateSetFailed,
    TemplatePathTooLong,
    TemplatePathTooLong255,
    TemplateTooManyColumns,
    ReleaseAssignments,
    HelpFileMissing,
    HelpNoApplication,
    ApplicationLaunchFailed,
    DisplayError,
    DisplayLoadError,
    ImageFolderNotFound,
    ImageFolderNoAccess,
    ImageLimitExceeded,
    ImageNamesUnusable,
    ImageNamesCaseTwins,
    DeleteImagesQuestion,
    DeleteImagesFailed,
    ImageConvertFailed,
    PdfConvertFailed,
    RenameListMissing,
    RenameListTooManyRows,
    RenameListInvalidData,
    TextRestrictionFailed,
    InsertDropsLastRow,
    DeleteAssignedRow,
    SortWhileAssigned,
    ViewerCannotSaveQuestion,
    AssignDuplicateName,
    StorageFolderMissing,
    StorageFolderNoAccess,
    SecondFolderMissing,
    SecondFolderNoAccess,
    SecondFolderSame,
    TargetExistsQuestion,
    RenameFailedCount,
    RenameDone,
    FileNameEmpty,
    ExportNameEmpty,
    FileNameTooLong,
    ExportNameTooLong,
    FileNameBadChar,
    ExportNameBadChar,
    FileNameExists,
    XmlLoadFailed,
    SecondCopyFailed,
    BatchAssignDuplicateNames,
    BatchAssignQuestion,
    BatchAssignCountQuestion,
    BatchAssignFailed,
    BatchReleaseQuestion,
    BatchReleaseFailed,
    AssignMarkSetFailed,
    AssignMarkClearFailed,
    WorkDataStorageFolderMissing,
    WorkDataNameTooLong,
    WorkDataNameInvalid,
    WorkDataMissing,
    WorkDataInvalid,
    WorkDataTemplateMissing,
    WorkDataListMissing,
    WorkDataImageFolderMissing,
    WorkDataChangedQuestion,
    WorkDataSaveFailed,
    EditorDigitsText,
    EditorDigitsNumber,
    EditorDecimals,
    EditorNameTooLong,
    EditorNameEmpty,
    EditorNameInvalid,
    EditorNameExists,
    EditorNotSelected,
    EditorCurrentEdited,
    EditorCopyFailed,
    EditorDeleteCurrent,
    EditorDeleteQuestion,
    EditorDeleteFailed,
    EditorReadFailed,
    EditorFileNameTextOnly,
    EditorFileNameNotHidden,
    EditorSort2AlreadySet,
    EditorSort1AlreadySet,
    EditorNameHasTab,
    EditorNameMissing,
    EditorTypeMissing,
    EditorNoColumns,
    EditorNoFileNameColumn,
    EditorSort1Duplicate,
    EditorSort2Duplicate,
    EditorReplacementEmpty,
    EditorReplacementBlank,
    EditorReplacementForbidden,
    EditorConnectorForbidden,
    EditorStorageFolderMissing,
    EditorCollectFailed,
    EditorSaveFailed,
    EditorDefinitionProgramMissing,
    EditorDefinitionXmlMissing,
    EditorDefinitionMapMissing,
    EditorXmlLoadFailed,
    EditorMapOpenFailed,
    EditorDefinitionTooManyItems,
    AgentNotInstalled,
    AgentDefinitionXmlMissing,
    AgentDefinitionMapMissing,
    AgentDocTypeDiffers,
    AgentMapOpenFailed,
    EditImageMissing,
    EditImageLoadFailed,
    EditRegionTooSmall,
    EditNoiseFailed,
    EditSaveFailed,
    JournalWriteFailed,
    UndoNothing,
    UndoTargetChanged,
    UndoNameTaken,
    UndoFailed,
    UndoDone,
    UndoQuestion,
    RecoveryQuestion,
    RecoveryFinished,
    FileNotRegular,
    Count // keep last
};

// One catalogue entry, in cp932.
struct Message {
    std::string text;
    std::string caption;
    Icon icon;
    Buttons buttons;
};

const Message& message(Msg id);

// Fills the "%s" and "%d" placeholders of a text in order with the given cp932 arguments.
std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> args);

// Fixed texts that are not message boxes.
namespace texts {
std::string windowTitle();   // the main window's title and the single-instance name
std::string versionFormat(); // "(Build %s)"
} // namespace texts
