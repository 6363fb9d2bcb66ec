#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace korvex {

// A picture stretched over the whole control, or nothing while none is loaded. A left-button
// release is reported as released(). User-interface thread only.
class CPictureStatic : public QWidget {
    Q_OBJECT

public:
    explicit CPictureStatic(QWidget* parent = nullptr) : QWidget(parent) {}

    // Loads an image file; a file that cannot be read leaves the control empty. True when
    // loaded.
    bool SetImageFile(const QString& path);
    void SetImage(const QPixmap& picture);
    const QPixmap& Image() const { return picture_; }

signals:
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace korvex
