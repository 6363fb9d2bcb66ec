#include "ui/route_export_run.h"

#include <QWidget>
#include <utility>

namespace korvex {
namespace {

constexpr int kPollMs = 100;

} // namespace

RouteExportRun::RouteExportRun(QWidget* parent, UserPrompts& prompts, Translate translate)
    : QObject(parent), parent_(parent), prompts_(prompts), translate_(std::move(translate)) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
}

RouteExportRun::~RouteExportRun() {
    CloseProgress();
}

void RouteExportRun::Start(RouteExportRequest request) {
    CloseProgress();
    export_.reset();
    output_ = QString::fromStdString(request.output.string());
    whole_card_ = request.whole_card;
    if (whole_card_) {
        progress_ = new QProgressDialog(Tr("Reading the route of the card"), Tr("Cancel"), 0, 1000,
                                        parent_);
        progress_->setObjectName(QStringLiteral("routeProgress"));
        progress_->setWindowTitle(Tr("Export Route"));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
        progress_->setMinimumWidth(320); // a bar long enough to read
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        progress_->setValue(0);
    }
    export_ = std::make_unique<RouteExport>(std::move(request));
    poll_.start();
}

void RouteExportRun::Poll() {
    if (!export_) {
        poll_.stop();
        return;
    }
    // Its Cancel button, Escape and closing it all leave it cancelled.
    if (progress_ && progress_->wasCanceled()) {
        export_->Cancel();
    } else if (progress_) {
        progress_->setValue(export_->Thousandths());
    }
    if (export_->Done()) {
        const RouteExportOutcome outcome = export_->Outcome();
        export_.reset();
        poll_.stop();
        CloseProgress();
        Finish(outcome);
    }
}

void RouteExportRun::Finish(RouteExportOutcome outcome) {
    switch (outcome) {
    case RouteExportOutcome::kWritten:
        prompts_.Inform(parent_, Tr("Route saved to") + " " + output_);
        break;
    case RouteExportOutcome::kNoFix:
        prompts_.Inform(parent_, whole_card_ ? Tr("No GPS fix on this card.")
                                             : Tr("No GPS fix in this recording."));
        break;
    case RouteExportOutcome::kUnreadable:
        prompts_.Inform(parent_, Tr("The recording cannot be read."));
        break;
    case RouteExportOutcome::kWriteFailed:
        prompts_.Inform(parent_, output_ + " " + Tr("cannot be written"));
        break;
    case RouteExportOutcome::kCancelled:
        break; // the user knows
    }
}

void RouteExportRun::CloseProgress() {
    if (progress_) {
        progress_->deleteLater();
        progress_.clear();
    }
}

} // namespace korvex
