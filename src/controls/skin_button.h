#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace korvex {

// A button drawn from a horizontal strip of frames: 0 normal, 1 hover, 2 pressed or checked,
// 3 disabled (and 4, a transparency mask, when the strip has one). The button takes the size
// of one frame. It only paints and reports: clicked() and toggled() as any Qt button.
// User-interface thread only.
class CVxSkinButton : public QAbstractButton {
    Q_OBJECT

public:
    enum Frame { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3, kMask = 4 };

    explicit CVxSkinButton(QWidget* parent = nullptr);

    // Takes the strip with the argument rules of the layouts: stretch is 0 when bit 15 is set,
    // 2 when above 1; edge keeps its low 16 bits; focus margin is 0 when bit 15 is set.
    void SetSkin(const QPixmap& strip, int stretch, int edge, int focus_margin, bool mask_frame,
                 bool fit);
    QSize FrameSize() const { return frame_size_; }
    int Stretch() const { return stretch_; }
    int Edge() const { return edge_; }
    int FocusMargin() const { return focus_margin_; }

    QColor SetTextColor(QColor colour); // returns the previous colour
    void SetTooltip(const QString& text) { setToolTip(text); }

    // The frame the button shows now.
    Frame CurrentFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    QSize sizeHint() const override { return frame_size_; }

    void DrawFrame(QPainter& painter, int frame) const;

private:
    QPixmap strip_;
    QSize frame_size_;
    int stretch_ = 1;
    int edge_ = 0;
    int focus_margin_ = 0;
    bool mask_frame_ = false;
    bool fit_ = false;
    bool hover_ = false;
    QColor text_colour_;
};

} // namespace korvex
