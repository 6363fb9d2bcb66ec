#pragma once

#include "controls/color_static.h"

namespace korvex {

// The mark bar above the position slider, with a thin line along it that shows how far a
// running clip export has come.
class PanelMarkBar final : public CColorStatic {
    Q_OBJECT
public:
    explicit PanelMarkBar(QWidget* parent = nullptr) : CColorStatic(parent) {}
    // Thousandths of the export done; negative: no export runs and no line is drawn.
    void SetProgress(int thousandths);
    int Progress() const { return thousandths_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int thousandths_ = -1;
};

} // namespace korvex
