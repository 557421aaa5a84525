#pragma once

// Controls of the main window, numbered as the window's resources number them, so that a rule
// such as "disable 1018, 1029 and 1032" reads the same in code.
enum class Ctl : int {
    Release = 1014,      // "解除"
    Execute = 1015,      // "実行"
    ReloadImages = 1016, // "画像再読込み"
    Preview = 1017,      // main preview display
    EditImage = 1018,    // "画像編集..."
    HighResPage = 1019,  // hidden high-resolution page display
    MagView1 = 1020,     // first magnified preview
    MagView2 = 1021,     // second magnified preview
    FirstPage = 1022,    // page buttons
    PreviousPage = 1023,
    LastPage = 1024,
    NextPage = 1025,
    RenameGrid = 1027,          // rename list grid
    LoadRenameList = 1028,      // "ﾘﾈｰﾑﾘｽﾄ読込み..."
    OpenWithApplication = 1029, // "ｱﾌﾟﾘｹｰｼｮﾝで開く"
    ImageGrid = 1030,           // image list grid
    LoadWorkData = 1031,        // "作業ﾃﾞｰﾀ読込み..."
    DesignateArea = 1032,       // "拡大ｴﾘｱ指定" push-like check box
    LoadImages = 1061,          // "画像読込み..."
    ReferenceValues = 1062,     // "参照値設定...", always hidden and disabled
    BatchAssign = 1063,         // "一括割り当て"
    BatchRelease = 1064,        // "一括解除"
    Assign = 1065,              // "割り当て"
    TemplateBox = 1066,         // template drop-down list
    ListFileName = 1067,        // rename list file name
    ImageFileName = 1068,       // current image file name
    PaperSize = 1069,           // current page's paper size
    CurrentPage = 1070,
    PageCount = 1071,
    RenameListGroup = 1072,   // "ﾘﾈｰﾑﾘｽﾄ"
    ImageGroup = 1073,        // "画像情報"
    Dummy = 1074,             // hidden "ダミー", default button when Enter must not assign
    ZoomFrame = 1118,         // Zoomwell frame over the preview
    MeasurePage = 1136,       // hidden display used for measuring
    StorageFolder = 1137,     // the template's storage folder, shortened
    PreviewBackground = 1138, // background picture of the empty preview
    ImageHeaderGroup = 1158,
    ImageFileLabel = 1159,     // "画像ﾌｧｲﾙ名："
    PaperSizeLabel = 1160,     // "用紙ｻｲｽﾞ："
    PageSlash = 1161,          // "／"
    TemplateLabel = 1162,      // "ﾃﾝﾌﾟﾚｰﾄ："
    ListFileLabel = 1163,      // "CSVﾌｧｲﾙ："
    StorageFolderLabel = 1164, // "格納先ﾌｫﾙﾀﾞ："
    TopLine1 = 1165,           // top border lines
    TopLine2 = 1172,
    PreviewPicture = 1173, // picture centred in the empty preview
    StatusBar = 59393,     // the status bar along the bottom edge
};

constexpr int id(Ctl c) {
    return static_cast<int>(c);
}
