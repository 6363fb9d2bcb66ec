#pragma once

#include "positioning/map_page.h"

#include <QWebEnginePage>
#include <functional>

namespace korvex {

// The map page in Qt WebEngine. Values and calls go to the page as scripts run in the order they
// were made. Silent: the page opens no dialogs (alerts, confirmations, prompts, file choosers),
// keeps its console to itself and shows no error pages. The page cannot reach the viewer: there
// is no web channel.
//
// User-interface thread only.
class WebEngineMapPage final : public QWebEnginePage, public MapPage {
    Q_OBJECT

public:
    explicit WebEngineMapPage(QObject* parent = nullptr);

    void WriteValue(std::string_view id, std::string_view value) override;
    void CallFunction(std::string_view name) override;
    void OnLoaded(std::function<void()> loaded) override;

protected:
    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override {
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
        return {};
    }

private:
    std::function<void()> loaded_;
};

} // namespace korvex
