#pragma once

#include "camera/card_formatter.h"

#include <QDBusConnection>

namespace korvex {

// Formats cards through UDisks2, the disk service of Linux desktops, on the system bus (tests
// give it a private bus with a fake service). The service's policy asks for the administrator's
// password where it wants one. Calls block while the service works, with the window's events
// running (QDBus::BlockWithGui).
class UDisksCardFormatter final : public CardFormatter {
public:
    explicit UDisksCardFormatter(QDBusConnection bus = QDBusConnection::systemBus());

    std::string WhyUnavailable() override;
    FormatResult Format(const std::string& mount_point) override;

private:
    QString BlockDeviceMountedAt(const std::string& mount_point, QString& error);

    QDBusConnection bus_;
};

} // namespace korvex
