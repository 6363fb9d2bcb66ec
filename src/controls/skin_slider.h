#pragma once

#include "controls/skin_button.h"

namespace korvex {

// A horizontal slider: a skin button's track with a thumb ORed on (black thumb pixels are
// transparent). It reports what the user did, each with its tag and position: pressed() when
// the left button goes down, moved() while dragging whenever the position changes (not held to
// the range while outside the control), released() when the button comes up (only the upper
// bound applied). User-interface thread only.
class CVxSkinSldButton : public CVxSkinButton {
    Q_OBJECT

public:
    explicit CVxSkinSldButton(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    void SetPos(int position);
    int GetPos() const { return position_; }
    int GetMin() const { return minimum_; }
    int GetMax() const { return maximum_; }
    void SetTag(int tag) { tag_ = tag; }
    void SetThumb(const QPixmap& thumb);
    bool SetThumbFromFile(const QString& path);
    bool IsDragging() const { return dragging_; }
    // Where the thumb is drawn, in the control.
    QRect ThumbRect() const;

signals:
    void pressed(int tag, int position);  // "button pressed"
    void moved(int tag, int position);    // "position changed while dragging"
    void released(int tag, int position); // "button released"

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int PositionAt(double x);
    double RatioOf(int position) const;

    QPixmap thumb_;
    double ratio_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    int position_ = 0;
    int tag_ = 0;
    bool dragging_ = false;
};

} // namespace korvex
