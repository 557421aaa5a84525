#pragma once

class QApplication;
class QDialogButtonBox;
class QMessageBox;

// The program's Japanese on Qt's standard buttons and dialogs: the message boxes' "はい(&Y)",
// "いいえ(&N)" and "ｷｬﾝｾﾙ", the dialogs' "OK" and "ｷｬﾝｾﾙ", and Qt's own Japanese translations
// for what the program does not caption itself (the folder chooser, context menus).
namespace qtcaptions {

// Captions every standard button the box holds.
void caption(QMessageBox& box);
void caption(QDialogButtonBox& buttons);
// Loads Qt's Japanese translations into the application; false when they are not installed.
bool installQtTranslations(QApplication& app);

} // namespace qtcaptions
