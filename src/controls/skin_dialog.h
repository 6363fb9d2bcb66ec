#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

namespace korvex {

// One piece of a stretched frame background: a rectangle of the picture drawn to a rectangle
// of the window.
struct FramePiece {
    QRect source;
    QRect target;
};

// How a w x h background covers a W x H window: the four quarters unscaled at the corners
// (one pixel in from the right and bottom), strips w/10 wide and h/10 high stretched along the
// edges between them; the inside is left alone.
std::vector<FramePiece> FramePieces(QSize picture, QSize window);

// A frameless window drawn from a stretched background picture, with rounded corners, that
// the user drags by any point of it (switchable). User-interface thread only.
class CVxSkinDialog : public QWidget {
    Q_OBJECT

public:
    explicit CVxSkinDialog(QWidget* parent = nullptr);

    void SetBackground(const QPixmap& background);
    void SetRoundCorners(int width, int height);
    void EnableDrag(bool drag) { drag_ = drag; }
    bool DragEnabled() const { return drag_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Escape and Enter close nothing and press no default button in a skinned window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ApplyRegion();

    QPixmap background_;
    QSize corners_;
    bool drag_ = true;
};

} // namespace korvex
