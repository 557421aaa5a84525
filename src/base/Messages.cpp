#include "base/Messages.h"

#include "base/TextCodec.h"

#include <array>
#include <cstddef>

namespace {

struct Entry {
    Msg id;
    const char* text;
    const char* caption;
    Icon icon;
    Buttons buttons;
};

constexpr const char* kWarning = "警告";
constexpr const char* kQuestion = "確認";
constexpr const char* kError = "ｴﾗｰ";
constexpr const char* kInformation = "情報";
// The account of a settled run, the start of each of its boxes.
#define SETTLED_ACCOUNT                                                                                                    \
    "前回の実行(%s)の完了した分を確定しました。\r\n完了した行: %d\r\n完了しなかった行: %d" \
    "（画像は元のﾌｫﾙﾀﾞにあり、どの行にも割り当てられていません）"

// Written in UTF-8 here and converted to cp932 once, on first use.
constexpr std::array kEntries{
    Entry{Msg::OleInitFailed,
          "OLE の初期化に失敗しました。 OLE ﾗｲﾌﾞﾗﾘのﾊﾞｰｼﾞｮﾝが正しいことを確認してください。",
          "Nomira", Icon::Error, Buttons::Ok},
    Entry{Msg::AlreadyRunning, "Delmo Solution ノミラは既に起動されています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::DataFolderMissing,
          "作業ﾌｫﾙﾀﾞがありません。またはｱｸｾｽ権がありません。\r\n以下のﾌｫﾙﾀﾞをご確認ください。"
          "\r\n%s\n",
          kError, Icon::Error, Buttons::Ok},
    Entry{Msg::FolderCreateFailed, "ﾌｫﾙﾀﾞの作成に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ImageFolderMissing,
          "画像読込みフォルダﾞがありません。またはｱｸｾｽ権がありません。\r\n以下のﾌｫﾙﾀﾞをご確認くだ"
          "さい。\r\n%s\n",
          kError, Icon::Error, Buttons::Ok},
    Entry{Msg::TemplateReadFailed, "ﾃﾝﾌﾟﾚｰﾄ情報の読込みに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::TemplateSetFailed, "ﾃﾝﾌﾟﾚｰﾄ情報の設定に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::TemplatePathTooLong, "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが%dﾊﾞｲﾄを超過しています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::TemplatePathTooLong255, "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙのﾊﾟｽが255ﾊﾞｲﾄを超過しています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::TemplateTooManyColumns,
          "指定したﾃﾝﾌﾟﾚｰﾄの列数が最大列数(上限値300)を超過したため、読み込めません。\n\rINIﾌｧｲ"
          "ﾙの設定値を変更した後、再起動してください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::TemplateBadReplacementChar,
          "ﾃﾝﾌﾟﾚｰﾄの置換文字(REPLACECHAR)が半角1文字ではないため、読み込めません。\r\n"
          "ﾃﾝﾌﾟﾚｰﾄ編集で置換文字を指定し直してください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::TemplateBadConnector,
          "ﾃﾝﾌﾟﾚｰﾄの連結子(CONNECTION)が半角1文字ではないため、読み込めません。\r\n"
          "ﾃﾝﾌﾟﾚｰﾄ編集で連結子を指定し直してください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ReleaseAssignments, "割り当てを解除します。よろしいですか？", kQuestion,
          Icon::Question, Buttons::YesNo},
    Entry{Msg::HelpFileMissing, "ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::HelpNoApplication, "関連付いたｱﾌﾟﾘｹｰｼｮﾝが存在しません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ApplicationLaunchFailed, "ｱﾌﾟﾘｹｰｼｮﾝの起動に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::DisplayError, "Error!!", "", Icon::None, Buttons::Ok},
    Entry{Msg::DisplayLoadError, "Load Error!!", "", Icon::None, Buttons::Ok},
    Entry{Msg::ImageFolderNotFound, "画像読込みﾌｫﾙﾀﾞが存在しません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ImageFolderNoAccess, "画像読込みﾌｫﾙﾀﾞに対してｱｸｾｽ権がないため、実行できません。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ImageLimitExceeded, "読込み画像ﾌｧｲﾙ数が1000を超過しました。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ImageNamesUnusable,
          "次の画像ﾌｧｲﾙは、ﾌｧｲﾙ名に使用できない文字が含まれているため読込めません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ImageNamesCaseTwins,
          "次の画像ﾌｧｲﾙは、大文字と小文字の違いを除いて同じ名前のﾌｧｲﾙが既にあるため読込めません"
          "。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ImageNamesLinks, "次の画像ﾌｧｲﾙは、ｼﾝﾎﾞﾘｯｸﾘﾝｸのため読込めません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::DeleteImagesQuestion, "選択された画像ﾌｧｲﾙを削除しますか？", kQuestion,
          Icon::Question, Buttons::YesNo},
    Entry{Msg::DeleteImagesFailed, "ｱｸｾｽ権限がないため、削除できないﾌｧｲﾙがありました。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ImageConvertFailed, "ﾌｧｲﾙの変換に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::PdfConvertFailed,
          "PDFファイルの変換に失敗しました。\nメモリが不足している可能性があります。アプリケーシ"
          "ョンを再起動してください。",
          "", Icon::None, Buttons::Ok},
    Entry{Msg::RenameListMissing, "指定したﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::RenameListTooManyRows, "読込みﾃﾞｰﾀ行が1000行を超過しました。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::RenameListInvalidData, "ﾘﾈｰﾑﾘｽﾄ内に列定義に準拠しないﾃﾞｰﾀがありました。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::TextRestrictionFailed, "ﾃｷｽﾄ制限値の取得に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::InsertDropsLastRow,
          "挿入により最終行が削除されます。\n割り当て解除した後、挿入しますか？", kQuestion,
          Icon::Question, Buttons::YesNo},
    Entry{Msg::DeleteAssignedRow, "削除する情報は割り当て済みです。解除した後、削除しますか？",
          kQuestion, Icon::Question, Buttons::YesNo},
    Entry{Msg::SortWhileAssigned, "割り当て済みのため、ｿｰﾄはできません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ViewerCannotSaveQuestion,
          "起動するﾌｧｲﾙにはWindowsﾌｫﾄｷﾞｬﾗﾘｰが関連付けられていますが\r\n更新を文書に反映できない"
          "場合が"
          "あります。ﾍﾟｲﾝﾄで開きますか?",
          kWarning, Icon::Warning, Buttons::YesNo},
    Entry{Msg::AssignDuplicateName, "ﾘﾈｰﾑ名称が重複しているため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::StorageFolderMissing, "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞが存在しないため、実行できません。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::StorageFolderNoAccess,
          "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞに対してｱｸｾｽ権がないため、実行できません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::SecondFolderMissing,
          "環境設定で指定された格納ﾌｫﾙﾀﾞが存在しないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::SecondFolderNoAccess,
          "環境設定で指定された格納ﾌｫﾙﾀﾞに対してｱｸｾｽ権がないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::SecondFolderSame,
          "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞと環境設定で指定された格納ﾌｫﾙﾀﾞが同一のため、実行できません。\n"
          "環境設定にて異なる格納ﾌｫﾙﾀﾞを指定して下さい。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::TargetExistsQuestion,
          "ﾌｧｲﾙ出力先ﾌｫﾙﾀﾞに %s%s ﾌｧｲﾙが既に存在します。\n上書きしますか？", kQuestion,
          Icon::Question, Buttons::YesNoDefaultNo},
    Entry{Msg::RenameFailedCount, "%d個のﾌｧｲﾙのﾘﾈｰﾑに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::RenameDone, "%d/%d件をﾘﾈｰﾑしました。", "情報", Icon::Information, Buttons::Ok},
    Entry{Msg::FileNameEmpty, "ﾌｧｲﾙ名を指定してください。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ExportNameEmpty, "環境設定画面にてｴｸｽﾎﾟｰﾄﾌｧｲﾙ名を指定してください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::FileNameTooLong,
          "指定したﾌｧｲﾙ名が文字範囲を超過しています。ﾌｧｲﾙ名を再指定してください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ExportNameTooLong,
          "ｴｸｽﾎﾟｰﾄﾌｧｲﾙ名が文字範囲を超過しています。環境設定画面にて再指定してください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::FileNameBadChar, "ﾌｧｲﾙ名に使用できない文字が含まれています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ExportNameBadChar, "ｴｸｽﾎﾟｰﾄﾌｧｲﾙ名に使用できない文字が含まれています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::FileNameExists, "指定したﾌｧｲﾙ名は既に存在します。ﾌｧｲﾙ名を再指定してください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::RunTargetTaken, "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が前の行と同じになるため、ﾘﾈｰﾑしません。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::RunNameTooLong, "次の行は、ﾘﾈｰﾑ後のﾌｧｲﾙ名が長すぎるため、ﾘﾈｰﾑしません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::XmlLoadFailed, "XMLのﾛｰﾄﾞに失敗しました。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::SecondCopyFailed, "環境設定で指定された格納ﾌｫﾙﾀﾞへの出力に失敗しました。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::BatchAssignDuplicateNames,
          "No %d と No %d のﾘﾈｰﾑ名称が重複しているため、実行できません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::BatchAssignQuestion, "一括割り当てを実行しますか？", kQuestion, Icon::Question,
          Buttons::YesNo},
    Entry{Msg::BatchAssignCountQuestion,
          "ﾃﾞｰﾀ数が一致していません。\n\r少ないﾃﾞｰﾀに合わせて一括割り当てを実行しますか？\n\r\n\r"
          "  書誌ﾃﾞｰﾀ：%d個\n\r  画像ﾃﾞｰﾀ：%d個",
          kQuestion, Icon::Question, Buttons::YesNo},
    Entry{Msg::BatchAssignFailed, "一括割り当てに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::BatchReleaseQuestion, "一括解除を実行しますか？", kQuestion, Icon::Question,
          Buttons::YesNo},
    Entry{Msg::BatchReleaseFailed, "一括解除に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::AssignMarkSetFailed, "割り当てﾏｰｸの設定に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::AssignMarkClearFailed, "割り当てﾏｰｸの解除に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::WorkDataStorageFolderMissing,
          "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞが存在しないため、作業ﾃﾞｰﾀの保存ができません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataNameTooLong, "指定したﾌｧｲﾙ名称が長過ぎるため、保存ができません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataNameInvalid, "ﾌｧｲﾙ名に使用できない文字が含まれています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataMissing, "指定した作業ﾃﾞｰﾀﾌｧｲﾙが存在しません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::WorkDataInvalid, "不正な作業ﾃﾞｰﾀﾌｧｲﾙのため、読込めませんでした。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataTemplateMissing,
          "ﾃﾝﾌﾟﾚｰﾄが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataListMissing,
          "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataImageFolderMissing,
          "画像読込みﾌｫﾙﾀﾞが存在しないため、\n\r作業ﾃﾞｰﾀﾌｧｲﾙは読込めませんでした。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::WorkDataChangedQuestion, "作業ﾃﾞｰﾀが変更されています。\n\r変更を保存しますか？",
          kQuestion, Icon::Question, Buttons::YesNoCancel},
    Entry{Msg::WorkDataSaveFailed, "作業ﾃﾞｰﾀの保存に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDigitsText, "桁数は1～100を指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDigitsNumber, "桁数は1～9を指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDecimals, "桁数は1～2を指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorNameTooLong, "指定したﾃﾝﾌﾟﾚｰﾄ名が文字範囲（20ﾊﾞｲﾄ以内）を超過しています。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorNameEmpty, "ﾃﾝﾌﾟﾚｰﾄ名を指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorNameInvalid, "ﾃﾝﾌﾟﾚｰﾄ名に使用できない文字が含まれています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorNameExists, "指定したﾃﾝﾌﾟﾚｰﾄ名は既に存在します。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorNotSelected, "一覧よりﾃﾝﾌﾟﾚｰﾄを選択してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorCurrentEdited, "編集した内容は、再度ﾃﾝﾌﾟﾚｰﾄを選択した時に反映されます。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorCopyFailed, "ｺﾋﾟｰに失敗しました。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorDeleteCurrent, "選択されているﾃﾝﾌﾟﾚｰﾄは削除できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorDeleteQuestion, "ﾃﾝﾌﾟﾚｰﾄ[%s]を削除しますか？", kQuestion, Icon::Question,
          Buttons::YesNo},
    Entry{Msg::EditorDeleteFailed, "削除に失敗しました。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorReadFailed, "ﾃﾝﾌﾟﾚｰﾄ情報の取得に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorFileNameTextOnly, "ﾌｧｲﾙ名に使用できる列はﾃｷｽﾄ型のみです。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorFileNameNotHidden, "ﾌｧｲﾙ名に使用する列は非表示設定できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorSort2AlreadySet, "ｿｰﾄ（第2優先）が指定済みです。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorSort1AlreadySet, "ｿｰﾄ（最優先）が指定済みです。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorNameHasTab, "項目名にタブキーは指定できません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorNameMissing, "項目名が未設定です。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorTypeMissing, "ﾃﾞｰﾀ型が未設定です。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorNoColumns, "列定義が未入力です。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorNoFileNameColumn, "「ﾌｧｲﾙ名に使用」が未設定です。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorSort1Duplicate, "「ｿｰﾄ（最優先）」が重複指定されています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorSort2Duplicate, "「ｿｰﾄ（第2優先）」が重複指定されています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorReplacementEmpty, "置換文字が未設定です。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorReplacementBlank, "置換文字に半角空白は指定できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorReplacementForbidden, "置換文字に禁則文字は指定できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorConnectorForbidden, "連結子に禁則文字は指定できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorStorageFolderMissing, "格納ﾌｫﾙﾀﾞを指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorCollectFailed, "設定情報の取得に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorSaveFailed, "ﾃﾝﾌﾟﾚｰﾄ情報の保存に失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDefinitionProgramMissing,
          "参照値設定が開けません。ｸｴﾝﾄﾘｰをｲﾝｽﾄｰﾙしてください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDefinitionXmlMissing,
          "ｸｴﾝﾄﾘｰの監視ﾌｫﾙﾀﾞにquentdef.xmlﾌｧｲﾙが存在しないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorDefinitionMapMissing,
          "ｸｴﾝﾄﾘｰの監視ﾌｫﾙﾀﾞにquentdef.mapﾌｧｲﾙが存在しないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditorXmlLoadFailed, "XMLのﾛｰﾄﾞに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorMapOpenFailed, "ﾌｧｲﾙのｵｰﾌﾟﾝに失敗しました", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditorDefinitionTooManyItems, "項目が一覧の行を超過するため、設定できません。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::AgentNotInstalled,
          "ｸｴﾝﾄﾘｰがｲﾝｽﾄｰﾙされていない為、実行できません。ｸｴﾝﾄﾘｰをｲﾝｽﾄｰﾙしてください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::AgentDefinitionXmlMissing,
          "ﾘﾈｰﾑ画像の格納フォルダにquentdef.xmlﾌｧｲﾙが存在しないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::AgentDefinitionMapMissing,
          "ﾘﾈｰﾑ画像の格納ﾌｫﾙﾀﾞにquentdef.mapﾌｧｲﾙが存在しないため、実行できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::AgentDocTypeDiffers,
          "ﾃﾝﾌﾟﾚｰﾄと実行時の文書ﾀｲﾌﾟが異なるため、実行できません。\nﾃﾝﾌﾟﾚｰﾄ編集画面で再度、"
          "参照値設定を行ってください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::AgentMapOpenFailed, "ﾌｧｲﾙｵｰﾌﾟﾝに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditImageMissing, "指定された画像ﾌｧｲﾙが見つかりません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditImageLoadFailed, "画像ﾌｧｲﾙの読込みに失敗しました。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EditRegionTooSmall, "画像が小さすぎます。\n範囲を大きくしてください", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EditNoiseFailed,
          "ノイズ除去処理に失敗しました。\n仮想メモリが不足している可能性があります。"
          "アプリケーションを再起動してください。",
          "", Icon::None, Buttons::Ok},
    Entry{Msg::EditSaveFailed, "ﾌｧｲﾙの保存に失敗しました。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::JournalWriteFailed,
          "実行記録を書き込めないため、実行を中止しました。\r\nﾃﾞｨｽｸの空き容量とｱｸｾｽ権を"
          "ご確認ください。\r\n%s",
          kError, Icon::Error, Buttons::Ok},
    Entry{Msg::UndoNothing, "元に戻せる実行がありません。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoTargetChanged, "実行後に変更されたﾌｧｲﾙがあるため、元に戻せません。\r\n%s",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoNameTaken, "元の名前のﾌｧｲﾙが既に存在するため、元に戻せません。\r\n%s", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoFailed,
          "元に戻す途中で失敗しました。\r\n%s\r\nもう一度「元に戻す」を実行してください。", kError,
          Icon::Error, Buttons::Ok},
    Entry{Msg::UndoDone, "%d個のﾌｧｲﾙを元に戻し、%d個のﾌｧｲﾙを削除しました。", kInformation,
          Icon::Information, Buttons::Ok},
    Entry{Msg::UndoQuestion, "直前の実行(%s)を元に戻しますか？", kQuestion, Icon::Question,
          Buttons::YesNo},
    Entry{Msg::RecoveryQuestion,
          "前回の実行(%s)は途中で終了しました。\r\n完了した行: %d  完了しなかった行: %d\r\n\r\n"
          "元に戻しますか？\r\n（はい: 元に戻す　いいえ: 完了した分を確定する　"
          "ｷｬﾝｾﾙ: 後で決める）",
          kQuestion, Icon::Question, Buttons::YesNoCancel},
    Entry{Msg::RunBusy,
          "このﾃﾞｰﾀﾌｫﾙﾀﾞでは別の実行または元に戻す処理が行われています。\r\n終了してから、"
          "もう一度行ってください。\r\n%s",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::RunUnsettled,
          "前回の実行(%s)が途中で終了したままのため、実行できません。\r\n「nomira-cli undo」で"
          "元に戻すか、Nomiraの起動時の確認で元に戻すか確定してください。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoOldJournal, "以前の版で作られた実行記録のため、元に戻せません。\r\n%s", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoOtherDataFolder, "別のﾃﾞｰﾀﾌｫﾙﾀﾞで作られた実行記録のため、元に戻せません。\r\n%s",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoOutsidePath,
          "実行記録の次の行が実行のﾌｫﾙﾀﾞの外を指しているため、元に戻せません。\r\n%s", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoLeftUnconfirmed,
          "実行記録に書込みの完了が記録されていないため、次のﾌｧｲﾙは残しました。\r\n%s", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::RecoveryFinished, SETTLED_ACCOUNT, kInformation, Icon::Information, Buttons::Ok},
    Entry{Msg::RecoveryExportQuestion,
          SETTLED_ACCOUNT "\r\n\r\nｴｸｽﾎﾟｰﾄﾌｧｲﾙは書き込まれていません。\r\n完了した行のｴｸｽﾎﾟｰﾄﾌｧｲﾙを"
                          "書き込みますか？\r\n%s",
          kQuestion, Icon::Question, Buttons::YesNo},
    Entry{Msg::RecoveryExportNotWritable,
          SETTLED_ACCOUNT
          "\r\n\r\nｴｸｽﾎﾟｰﾄﾌｧｲﾙは書き込まれていません。\r\nﾃﾝﾌﾟﾚｰﾄまたはｴｸｽﾎﾟｰﾄ形式が"
          "実行時と異なるため、ここでは書き込めません。\r\n%s",
          kInformation, Icon::Information, Buttons::Ok},
    Entry{Msg::SettledExportWritten, "ｴｸｽﾎﾟｰﾄﾌｧｲﾙを書き込みました。\r\n%s", kInformation,
          Icon::Information, Buttons::Ok},
    Entry{Msg::SettledExportFailed, "ｴｸｽﾎﾟｰﾄﾌｧｲﾙを書き込めませんでした。\r\n%s", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::UndoDoneRows,
          "%d個のﾌｧｲﾙを元に戻し、%d個のﾌｧｲﾙを削除しました。\r\n実行でﾘﾈｰﾑﾘｽﾄから外れた%d行は"
          "次のﾌｧｲﾙにあります（「ﾘﾈｰﾑﾘｽﾄ読込み」で読めます）。\r\n%s",
          kInformation, Icon::Information, Buttons::Ok},
    Entry{Msg::UndoRowsQuestion,
          "ﾘﾈｰﾑﾘｽﾄには実行後に読み込んだ行があります。\r\n実行で外れた%d行をﾘﾈｰﾑﾘｽﾄの最後に"
          "戻しますか？",
          kQuestion, Icon::Question, Buttons::YesNo},
    Entry{Msg::UndoRowsNotReturned,
          "ﾃﾝﾌﾟﾚｰﾄが実行時と異なるか、ﾘﾈｰﾑﾘｽﾄに空きがないため、行をﾘﾈｰﾑﾘｽﾄに戻せません。\r\n"
          "行は次のﾌｧｲﾙにあります。\r\n%s",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::FileNotRegular, "%sは通常のﾌｧｲﾙではないため、開けません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EnvMarginInvalid, "ﾏｰｼﾞﾝ値は0～99の整数値を指定してください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EnvMarginReload, "ﾏｰｼﾞﾝ値が変更されたため、画像を再読込みします。", kQuestion,
          Icon::Question, Buttons::Ok},
    Entry{Msg::EnvExportNameEmpty, "ｴｸｽﾎﾟｰﾄ時のﾌｧｲﾙ名を入力してください。", kQuestion,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EnvSecondFolderEmpty, "ﾘﾈｰﾑﾘｽﾄﾌｧｲﾙを出力するﾌｫﾙﾀﾞを指定してください。", kQuestion,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EnvPageListEmpty, "ﾍﾟｰｼﾞを指定してください。", kQuestion, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::EnvPageListInvalid, "ﾍﾟｰｼﾞ指定が不正です。", kQuestion, Icon::Warning, Buttons::Ok},
    Entry{Msg::EnvPageListRange, "ﾍﾟｰｼﾞは1～9999の整数値を指定してください。", kQuestion,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::EnvPageReload, "ﾌﾟﾚﾋﾞｭｰﾍﾟｰｼﾞ指定が変更されたため、画像を再読込みします。", kQuestion,
          Icon::Question, Buttons::Ok},
    Entry{Msg::EnvExtensionReload, "拡張子設定が変更されたため、画像を再読込みします。", kQuestion,
          Icon::Question, Buttons::Ok},
    Entry{Msg::ExtensionEmpty, "拡張子を指定してください。", kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ExtensionTooLong, "拡張子は１０文字以内で指定してください。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ExtensionBadChar,
          "拡張子に使用できない文字が含まれています。\n次の文字は使用できません。   \\ / : "
          "* ? \" "
          "< > | .",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ExtensionRegistered, "指定された拡張子は既に登録されています。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ExtensionNotRegistrable, "指定された拡張子は登録できません。", kWarning,
          Icon::Warning, Buttons::Ok},
    Entry{Msg::ExtensionNoneSelected, "削除する拡張子を指定してください。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ReadLanguageMissing,
          "文字の読取りﾃﾞｰﾀ(%s)がありません。\r\nｺｰﾄﾞだけを読み取ります。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ReadNothingUnassigned, "割り当てていない画像がありません。", kWarning, Icon::Warning,
          Buttons::Ok},
    Entry{Msg::ReadNoFileNameColumns, "ﾃﾝﾌﾟﾚｰﾄにﾌｧｲﾙ名となる項目がないため、行を提案できません。",
          kWarning, Icon::Warning, Buttons::Ok},
    Entry{Msg::ReadAssignRefused,
          "次の行には画像を割り当てられませんでした。\r\nNo %s\r\n"
          "行がすでに割り当てられたか、画像が一覧にないか、画像を組み合わせられません。",
          kWarning, Icon::Warning, Buttons::Ok},
};

static_assert(kEntries.size() == static_cast<std::size_t>(Msg::Count),
              "every message needs one catalogue entry");

std::array<Message, kEntries.size()> buildCatalogue() {
    std::array<Message, kEntries.size()> catalogue;
    for (const Entry& e : kEntries) {
        catalogue[static_cast<std::size_t>(e.id)] = Message{
            textcodec::utf8ToCp932(e.text), textcodec::utf8ToCp932(e.caption), e.icon, e.buttons};
    }
    return catalogue;
}

} // namespace

const Message& message(Msg id) {
    static const auto catalogue = buildCatalogue();
    return catalogue.at(static_cast<std::size_t>(id));
}

std::string fillPlaceholders(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        // '%' never occurs as a cp932 trail byte, so a byte-wise scan is safe here.
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
            if (next != args.end()) {
                out.append(*next++);
            }
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

namespace texts {

std::string windowTitle() {
    return textcodec::utf8ToCp932("Delmo Solution ノミラ");
}

std::string versionFormat() {
    return "(Build %s)";
}

std::string paperSizeDiffersStatus() {
    return textcodec::utf8ToCp932("No %s: ﾘｽﾄの用紙ｻｲｽﾞは %s、画像は %s です。");
}

std::string readingStatus() {
    return textcodec::utf8ToCp932("只今、画像を読み取っています。(Esc: 中止)");
}

} // namespace texts
