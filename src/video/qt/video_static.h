#pragma once

#include "video/picture_mailbox.h"
#include "video/qt/picture_renderer.h"
#include "video/video_output.h"

#include <QOpenGLWidget>
#include <QPointer>
#include <QRect>

namespace korvex {

// The video window: an OpenGL widget that shows the pictures of the video worker's presenter,
// stretched over its whole area, and black before the first one. The main window places it by
// geometry. A left press drags the main window; a double click toggles full screen.
//
// Threading: the VideoOutput calls come from the presenter's owning thread (video_output.h);
// pictures reach the widget's own thread through a mailbox, so they are drawn whole and never
// while being written. Everything else is user-interface thread only. The widget must outlive
// the channel that presents into it.
class CVideoStatic final : public QOpenGLWidget, public VideoOutput {
    Q_OBJECT

public:
    explicit CVideoStatic(QWidget* parent = nullptr);
    ~CVideoStatic() override;

    std::optional<Capabilities> Open(int width, int height) override;
    void Close() override;
    bool Show(const VideoSurface& picture) override;
    bool ShowAgain() override;

    // Entering: the widget leaves the main window, which is hidden, and covers the primary
    // screen. Leaving: it goes back to its place and size in the main window, which is shown
    // again. Also offered to other windows (the main window's keys).
    void ToggleFullScreen();
    bool IsFullScreen() const { return full_screen_; }

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ReleaseGl();

    PictureMailbox mailbox_;
    PictureRenderer renderer_; // user-interface thread, with the context current
    bool full_screen_ = false;
    QRect home_geometry_; // place in the main window, kept while in full screen
    QPointer<QWidget> home_parent_;
};

} // namespace korvex
