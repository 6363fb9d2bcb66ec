#include "ui/korvex_key_filter.h"

#include "playback/ts_chn.h"

#include <QKeyEvent>

namespace korvex {

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
    if (type == QEvent::KeyPress && key->key() == Qt::Key_Space) {
        CTSChn* channel = channel_();
        if (channel == nullptr) {
            return false;
        }
        // A held key repeats: one press is one toggle.
        if (!key->isAutoRepeat()) {
            channel->SetPause(!channel->State().IsPaused());
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
