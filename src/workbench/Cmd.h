#pragma once

// Menu commands of the main window, numbered as the window's resources number them.
enum class Cmd : int {
    Exit = 32774,              // "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"
    Version = 32776,           // "ﾊﾞｰｼﾞｮﾝ情報(&V)..."
    Environment = 32778,       // "環境設定(&S)..."
    TemplateEditor = 32779,    // "ﾃﾝﾌﾟﾚｰﾄ編集(&E)..."
    SaveWorkData = 32780,      // "作業ﾃﾞｰﾀの上書き保存(&S)", Ctrl+S
    SaveWorkDataAs = 32781,    // "作業ﾃﾞｰﾀに名前を付けて保存(&A)..."
    InsertRow = 32782,         // "行の挿入"
    DeleteRow = 32783,         // "行の削除"
    OriginTopLeft = 32784,     // "左上"
    OriginTopRight = 32785,    // "右上"
    OriginBottomLeft = 32786,  // "左下"
    OriginBottomRight = 32787, // "右下"
    OriginFree = 32788,        // "自由"
    DeleteImages = 32793,      // "削除"
    UndoLastRun = 32794,       // "元に戻す(直前の実行)"
    ReadAssign = 32795,        // "読取り割り当て..."
    Help = 57670,              // "ﾍﾙﾌﾟ(&H)", F1
};

constexpr int id(Cmd c) {
    return static_cast<int>(c);
}

// Menus of the main window by their resource numbers.
enum class MenuId : int {
    Main = 129,
    ListOperations = 149,  // "一覧操作"
    Origin = 150,          // "原点"
    ImageOperations = 171, // "画像操作"
};
