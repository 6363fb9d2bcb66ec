#include "ui/dev_show_dlg.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace korvex {

namespace {

constexpr QSize kPoppedOutSize(800, 470);

} // namespace

CDevShowDlg::CDevShowDlg(QWidget* main_window)
    : QWidget(main_window), main_window_(main_window), video_(new CVideoStatic(this)) {
    setObjectName(QStringLiteral("videoWindow"));
    setWindowTitle(QStringLiteral("Device Video Display"));
    setWindowIcon(main_window->windowIcon());
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    // The picture's own double click would go full screen at once; here it pops out first.
    video_->installEventFilter(this);
    Dock();
}

void CDevShowDlg::SetPosition(const QRect& rectangle) {
    docked_ = rectangle;
    if (!popped_out_) {
        setGeometry(docked_);
    }
}

void CDevShowDlg::Dock() {
    if (!popped_out_) {
        return;
    }
    popped_out_ = false;
    const bool shown = isVisible();
    setParent(main_window_, Qt::Widget);
    setGeometry(docked_);
    video_->setGeometry(rect());
    setVisible(shown);
}

void CDevShowDlg::PopOut() {
    if (popped_out_) {
        return;
    }
    popped_out_ = true;
    setParent(nullptr, Qt::Window);
    resize(kPoppedOutSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), kPoppedOutSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void CDevShowDlg::DoubleClicked() {
    if (!popped_out_) {
        PopOut();
        return;
    }
    TogglePictureFullScreen();
}

void CDevShowDlg::ToggleFullScreen() {
    PopOut();
    TogglePictureFullScreen();
}

void CDevShowDlg::TogglePictureFullScreen() {
    video_->ToggleFullScreen();
    full_screen_ = video_->IsFullScreen();
}

bool CDevShowDlg::IsOwnWindow(const QWidget* window) const {
    return window == this || window == video_;
}

bool CDevShowDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == video_ && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        DoubleClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CDevShowDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        DoubleClicked();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CDevShowDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !popped_out_ && main_window_->windowHandle()) {
        main_window_->windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CDevShowDlg::closeEvent(QCloseEvent* event) {
    // Closing only takes the picture back into the main window.
    event->ignore();
    if (full_screen_) {
        video_->ToggleFullScreen();
        full_screen_ = false;
    }
    Dock();
}

void CDevShowDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!full_screen_) {
        video_->setGeometry(rect());
    }
}

} // namespace korvex
