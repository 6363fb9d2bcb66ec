#pragma once

#include "positioning/route_export.h"
#include "ui/user_prompts.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QWidget;

namespace korvex {

// The panel's route export as the user meets it: the export runs on its own thread
// (positioning/route_export.h) while a progress dialog shows how far a whole card has been read
// and lets the user cancel; at the end a message says where the route went, or why there is
// none. One export at a time. User-interface thread only.
class RouteExportRun final : public QObject {
public:
    using Translate = std::function<QString(const char* key)>;

    // `parent` owns the progress dialog and the messages; `prompts` shows them.
    RouteExportRun(QWidget* parent, UserPrompts& prompts, Translate translate);
    ~RouteExportRun() override; // cancels a running export, silently

    // Cancels one still running, silently, then starts this one.
    void Start(RouteExportRequest request);
    bool IsRunning() const { return export_ != nullptr; }
    // The progress dialog of a whole card's export while it runs; null otherwise.
    QProgressDialog* Progress() const { return progress_; }

private:
    void Poll();
    void Finish(RouteExportOutcome outcome);
    void CloseProgress();
    QString Tr(const char* key) const { return translate_(key); }

    QWidget* const parent_;
    UserPrompts& prompts_;
    const Translate translate_;
    std::unique_ptr<RouteExport> export_;
    QString output_;
    bool whole_card_ = false;
    QPointer<QProgressDialog> progress_; // its parent may take it first
    QTimer poll_;
};

} // namespace korvex
