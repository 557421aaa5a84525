#pragma once

// The deskew line the operator draws with two clicks on the displayed page (display pixels).
class DeskewLine {
public:
    // A second click closer than this to the start point in both x and y is ignored.
    static constexpr int MinDistance = 10;

    enum class Click { Outside, Started, Ignored, Completed };

    // A left click at (x, y) on a page shown width x height pixels large. A click while no line
    // is begun, or after one was completed, starts a new line.
    Click click(int x, int y, int width, int height);
    // The pointer moved; true when the rubber band should now run from the start point to (x, y).
    bool move(int x, int y);
    void clear();

    bool isStarted() const { return m_started; }
    bool isComplete() const { return m_complete; }
    int startX() const { return m_startX; }
    int startY() const { return m_startY; }
    int endX() const { return m_endX; }
    int endY() const { return m_endY; }
    // The turn that levels the completed line (ImageEditRules::deskewHundredths).
    int hundredths() const;

private:
    bool m_started = false;
    bool m_complete = false;
    int m_startX = 0;
    int m_startY = 0;
    int m_endX = 0;
    int m_endY = 0;
};
