#include "positioning/qt/web_engine_map_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEngineSettings>

namespace korvex {

namespace {

// `text` as a JavaScript string literal.
QString ScriptString(std::string_view text) {
    const QByteArray array =
        QJsonDocument(
            QJsonArray{QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))})
            .toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

WebEngineMapPage::WebEngineMapPage(QObject* parent) : QWebEnginePage(parent) {
    QWebEngineSettings* page_settings = settings();
    page_settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    page_settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // A page from the disk or the program's resources shows tiles and scripts from the internet.
    page_settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok && loaded_) {
            loaded_();
        }
    });
}

void WebEngineMapPage::WriteValue(std::string_view id, std::string_view value) {
    runJavaScript(QStringLiteral("(function () { var e = document.getElementById(%1); "
                                 "if (e) e.value = %2; })();")
                      .arg(ScriptString(id), ScriptString(value)));
}

void WebEngineMapPage::CallFunction(std::string_view name) {
    runJavaScript(
        QStringLiteral("(function (f) { if (typeof f === 'function') f(); })(window[%1]);")
            .arg(ScriptString(name)));
}

void WebEngineMapPage::OnLoaded(std::function<void()> loaded) {
    loaded_ = std::move(loaded);
}

} // namespace korvex
