#include "ui/korvex_key_filter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace korvex {
namespace {

bool TakesTyping(const QWidget& widget) {
    if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
        return list->isEditable();
    }
    return qobject_cast<const QLineEdit*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           qobject_cast<const QTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&widget) != nullptr;
}

} // namespace

bool KorvexKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        // Taken before any shortcut or dialog sees it.
        key->accept();
        return true;
    }
    // A key reaches its window first and the focused widget next: the widget decides.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (type != QEvent::KeyPress || widget == nullptr || TakesTyping(*widget) ||
        !target_.IsProgramWindow(widget->window())) {
        return QObject::eventFilter(watched, event);
    }
    const std::optional<KeyBinding> binding =
        FindProgramKey(key->key(), static_cast<int>(key->modifiers()));
    if (!binding) {
        return QObject::eventFilter(watched, event);
    }
    if (key->isAutoRepeat() && !binding->repeats) {
        return true; // one press, one toggle
    }
    return target_.RunKey(*binding);
}

} // namespace korvex
