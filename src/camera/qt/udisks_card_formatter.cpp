#include "camera/qt/udisks_card_formatter.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QThread>
#include <QVariantMap>

namespace korvex {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kManager = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");

// A quick format is done in seconds; the rest is time for the user to type a password.
constexpr int kFormatTimeoutMs = 30 * 60 * 1000;
constexpr int kCallTimeoutMs = 5 * 60 * 1000;

QDBusMessage Call(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments,
                  int timeout = kCallTimeoutMs) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::BlockWithGui, timeout);
}

bool Failed(const QDBusMessage& reply, QString& error) {
    if (reply.type() != QDBusMessage::ErrorMessage) {
        return false;
    }
    error = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    return true;
}

// One property of a block device object, or an invalid QVariant.
QVariant Property(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& name) {
    const QDBusMessage reply = Call(bus, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().first().value<QDBusVariant>().variant();
}

// UDisks2 writes mount points as byte arrays with a closing zero byte.
QList<QByteArray> MountPoints(const QVariant& value) {
    QList<QByteArray> points;
    if (value.canConvert<QDBusArgument>()) {
        value.value<QDBusArgument>() >> points;
    }
    for (QByteArray& point : points) {
        if (point.endsWith('\0')) {
            point.chop(1);
        }
    }
    return points;
}

} // namespace

UDisksCardFormatter::UDisksCardFormatter(QDBusConnection bus) : bus_(std::move(bus)) {}

std::string UDisksCardFormatter::WhyUnavailable() {
    static const char kMissing[] =
        "The disk service UDisks2 is not available, so the card cannot be formatted here.";
    if (!bus_.isConnected()) {
        return kMissing;
    }
    // The service is started on demand where it is installed but not running yet.
    const QDBusMessage names = bus_.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
    const bool activatable = names.type() == QDBusMessage::ReplyMessage &&
                             !names.arguments().isEmpty() &&
                             names.arguments().first().toStringList().contains(kService);
    const bool running = bus_.interface()->isServiceRegistered(kService).value();
    return activatable || running ? std::string() : kMissing;
}

QString UDisksCardFormatter::BlockDeviceMountedAt(const std::string& mount_point, QString& error) {
    const QDBusMessage reply =
        Call(bus_, kManager, QStringLiteral("org.freedesktop.UDisks2.Manager"),
             QStringLiteral("GetBlockDevices"), {QVariantMap()});
    if (Failed(reply, error)) {
        return {};
    }
    QList<QDBusObjectPath> devices;
    reply.arguments().first().value<QDBusArgument>() >> devices;
    const QByteArray wanted = QByteArray::fromStdString(mount_point);
    for (const QDBusObjectPath& device : devices) {
        if (MountPoints(Property(bus_, device.path(), kFilesystem, QStringLiteral("MountPoints")))
                .contains(wanted)) {
            return device.path();
        }
    }
    error = QStringLiteral("The disk service knows no volume mounted at %1.")
                .arg(QString::fromStdString(mount_point));
    return {};
}

FormatResult UDisksCardFormatter::Format(const std::string& mount_point) {
    QString error;
    const QString device = BlockDeviceMountedAt(mount_point, error);
    if (device.isEmpty()) {
        return {false, error.toStdString()};
    }
    if (Property(bus_, device, kBlock, QStringLiteral("HintSystem")).toBool()) {
        return {false, "The disk service counts this volume as a system disk."};
    }
    // Cameras read FAT32 and exFAT: a card in either keeps it, any other gets FAT32.
    QString type = Property(bus_, device, kBlock, QStringLiteral("IdType")).toString();
    if (type != QStringLiteral("exfat")) {
        type = QStringLiteral("vfat");
    }
    QVariantMap options;
    const QString label = Property(bus_, device, kBlock, QStringLiteral("IdLabel")).toString();
    if (!label.isEmpty()) {
        options.insert(QStringLiteral("label"), label);
    }
    if (Failed(Call(bus_, device, kFilesystem, QStringLiteral("Unmount"), {QVariantMap()}),
               error) ||
        Failed(
            Call(bus_, device, kBlock, QStringLiteral("Format"), {type, options}, kFormatTimeoutMs),
            error)) {
        return {false, error.toStdString()};
    }
    // The new file system shows a moment after the format ends.
    for (int attempt = 0;; ++attempt) {
        const QDBusMessage mounted =
            Call(bus_, device, kFilesystem, QStringLiteral("Mount"), {QVariantMap()});
        if (!Failed(mounted, error)) {
            return {true, {}};
        }
        if (attempt == 20 ||
            mounted.errorName() != QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
            return {false, error.toStdString()};
        }
        QThread::msleep(100);
    }
}

} // namespace korvex
