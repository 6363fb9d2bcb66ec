#include "video/qt/video_static.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QWindow>

namespace korvex {

CVideoStatic::CVideoStatic(QWidget* parent) : QOpenGLWidget(parent) {}

CVideoStatic::~CVideoStatic() {
    ReleaseGl();
    // The base class destroys the context later, when this object is gone.
    if (QOpenGLContext* gl = context()) {
        disconnect(gl, nullptr, this, nullptr);
    }
}

std::optional<VideoOutput::Capabilities> CVideoStatic::Open(int /*width*/, int /*height*/) {
    // Colour conversion runs in a shader, so planar YUV is always taken.
    return Capabilities{true};
}

void CVideoStatic::Close() {}

bool CVideoStatic::Show(const VideoSurface& picture) {
    mailbox_.Post(picture);
    // Queued even on the widget's own thread: the presenter may be called from anywhere.
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
    return true;
}

bool CVideoStatic::ShowAgain() {
    // The widget keeps its picture on screen and repaints it by itself when it must.
    return true;
}

void CVideoStatic::initializeGL() {
    // Reparenting (full screen) gives the widget a new context: free the old one's objects.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CVideoStatic::ReleaseGl,
            Qt::UniqueConnection);
    renderer_.Initialize();
}

void CVideoStatic::paintGL() {
    bool fresh = false;
    const VideoSurface* picture = mailbox_.Take(fresh);
    if (picture != nullptr && (fresh || !renderer_.HasPicture())) {
        renderer_.Upload(*picture);
    }
    renderer_.Draw();
}

void CVideoStatic::ReleaseGl() {
    if (!renderer_.IsInitialized()) {
        return;
    }
    makeCurrent();
    renderer_.Destroy();
    doneCurrent();
}

void CVideoStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !full_screen_) {
        if (QWindow* main_window = window()->windowHandle()) {
            main_window->startSystemMove();
        }
        event->accept();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}

void CVideoStatic::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ToggleFullScreen();
    }
    QOpenGLWidget::mouseDoubleClickEvent(event);
}

void CVideoStatic::ToggleFullScreen() {
    if (!full_screen_) {
        home_parent_ = parentWidget();
        if (home_parent_ == nullptr) {
            return;
        }
        home_geometry_ = geometry();
        setParent(nullptr);
        home_parent_->window()->hide();
        QScreen* screen = QGuiApplication::primaryScreen();
        setGeometry(screen->geometry());
        showFullScreen();
        raise();
        activateWindow();
        full_screen_ = true;
        return;
    }
    setWindowState(Qt::WindowNoState);
    setParent(home_parent_);
    setGeometry(home_geometry_);
    show();
    if (home_parent_ != nullptr) {
        home_parent_->window()->show();
    }
    full_screen_ = false;
}

} // namespace korvex
