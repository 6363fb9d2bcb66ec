#pragma once

#include "video/qt/video_static.h"

#include <QRect>
#include <QWidget>

namespace korvex {

// The window that holds the video picture. Docked it is a child of the main window at the
// rectangle of SetPosition, and a press on it drags the main window. A double click pops it out
// into a window of its own (800 x 470, centred on the screen); there a double click toggles full
// screen, and closing it leaves full screen and docks it again. Black where no picture is.
// ToggleFullScreen (the program's key) does both steps of the double clicks at once.
//
// User-interface thread only. The channel that draws into Video() must be gone before this
// window is.
class CDevShowDlg final : public QWidget {
    Q_OBJECT

public:
    explicit CDevShowDlg(QWidget* main_window);

    CVideoStatic& Video() { return *video_; }

    // Keeps the docked rectangle (in the main window's coordinates) and, docked, moves there.
    void SetPosition(const QRect& rectangle);
    void Dock();
    void PopOut();
    bool IsPoppedOut() const { return popped_out_; }
    bool IsFullScreen() const { return full_screen_; }
    // Full screen, popped out first when docked; in full screen, back to the popped-out window.
    void ToggleFullScreen();
    // Whether `window` is one of the windows this one shows itself in.
    bool IsOwnWindow(const QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DoubleClicked();
    void TogglePictureFullScreen();

    QWidget* main_window_;
    CVideoStatic* video_;
    QRect docked_;
    bool popped_out_ = true; // until the first Dock
    bool full_screen_ = false;
};

} // namespace korvex
