#pragma once

// The kinds of message box the program shows and the operator's answers.
enum class Icon { None, Information, Warning, Question, Error };
// YesNoDefaultNo: Yes and No with No as the default button, for questions whose Yes replaces a
// file.
enum class Buttons { Ok, OkCancel, YesNo, YesNoDefaultNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
