#pragma once

// The image list as the preview pane needs it after an application that opened an image has
// ended: the entry's preview files are made again (for a TIFF its paper size and date are read
// again) and a failed conversion is told to the operator ("ﾌｧｲﾙの変換に失敗しました。").
class PreviewEntryRefresher {
public:
    virtual ~PreviewEntryRefresher() = default;

    // Refreshes the entry in row (1-based) of the image list; true when its previews were made.
    virtual bool refreshEntry(int row) = 0;
};
