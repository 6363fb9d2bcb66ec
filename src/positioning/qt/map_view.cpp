#include "positioning/qt/map_view.h"

#include "positioning/map_page_choice.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace korvex {

namespace {

const QColor kWindowBackground(0x12, 0x14, 0x18);
const QColor kFrame(0x3a, 0x3f, 0x48);
constexpr QSize kPoppedOutSize(600, 420);

} // namespace

CMapView::CMapView(CSettings& settings, const GpsOffsetTable& offsets, GSensorSample& g_sensor,
                   QWidget* main_window)
    : QWidget(main_window), main_window_(main_window), page_(new WebEngineMapPage(this)),
      view_(new QWebEngineView(this)), bridge_(settings, offsets, g_sensor, *page_),
      address_(ChosenPage(settings)) {
    setWindowTitle(QString::fromStdString(settings.Translate("Map Mode")));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kWindowBackground);
    setPalette(colours);
    page_->setBackgroundColor(kWindowBackground);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(view_);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (popped_out_) {
            Dock();
        }
    });

    page_->load(address_);
    Dock();
    bridge_.MarkInitialised();
}

QUrl CMapView::ChosenPage(const CSettings& settings) {
    const std::optional<std::filesystem::path> installed =
        FindMapPage(MapPageName(settings.ReadInt("Config", "baiduMap", 0)),
                    MapPageFolders(settings.Locations().program_folder));
    if (!installed) {
        return QUrl(QStringLiteral("qrc:/korvex/map/mapdlg.htm"));
    }
    return QUrl::fromLocalFile(QString::fromStdString(installed->string()));
}

void CMapView::SetPosition(const QRect& rectangle) {
    docked_ = rectangle;
    if (!popped_out_) {
        setGeometry(docked_);
    }
}

void CMapView::PopOut() {
    popped_out_ = true;
    setParent(nullptr, Qt::Window);
    resize(kPoppedOutSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), kPoppedOutSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void CMapView::Dock() {
    const bool was_visible = isVisible();
    popped_out_ = false;
    setParent(main_window_, Qt::Widget);
    setGeometry(docked_);
    setVisible(was_visible);
}

void CMapView::closeEvent(QCloseEvent* event) {
    if (popped_out_) {
        event->ignore();
        Dock();
        return;
    }
    QWidget::closeEvent(event);
}

void CMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(kFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace korvex
