#pragma once

#include <QWidget>

namespace korvex {

// The panel's mark bar: a black strip. User-interface thread only.
class CColorStatic : public QWidget {
    Q_OBJECT

public:
    explicit CColorStatic(QWidget* parent = nullptr) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvex
