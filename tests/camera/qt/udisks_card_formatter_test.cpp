#include "camera/qt/udisks_card_formatter.h"
#include "temp_dir.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace korvex {
namespace {

// The session bus connection keeps a buffer until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

class QtCore : public testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[32] = "udisks_card_formatter_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};
const testing::Environment* const kQtCore = testing::AddGlobalTestEnvironment(new QtCore);

// A private D-Bus daemon of this test, optionally with the fake UDisks2 on it.
class PrivateBus : public testing::Test {
protected:
    ~PrivateBus() override {
        QDBusConnection::disconnectFromBus(kConnection);
        for (QProcess* process : {&service_, &daemon_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    QDBusConnection StartBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        EXPECT_TRUE(daemon_.waitForReadyRead(10000)) << "dbus-daemon did not start";
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return QDBusConnection::connectToBus(address_, kConnection);
    }

    // The fake service; true once it owns its name on the bus.
    bool StartFakeUDisks(const QDBusConnection& bus, QJsonObject parameters) {
        parameters["log"] = QString::fromStdString(log_.string());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
        service_.setProcessEnvironment(environment);
        // The fake logs every call on its standard output; its errors still show.
        service_.setStandardOutputFile(QProcess::nullDevice());
        service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        service_.start(
            KORVEX_SYSTEM_PYTHON,
            {"-m", "dbusmock", "--session", "--template", KORVEX_FAKE_UDISKS2, "--parameters",
             QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact))});
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (bus.interface()->isServiceRegistered("org.freedesktop.UDisks2").value()) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    std::string Calls() const {
        return std::filesystem::exists(log_) ? test::ReadFile(log_) : std::string();
    }

    static inline const QString kConnection = QStringLiteral("private");
    test::TempDir dir_;
    std::filesystem::path log_ = dir_ / "calls.log";
    QProcess daemon_;
    QProcess service_;
    QString address_;
};

TEST_F(PrivateBus, UnmountsFormatsWithTheCardsTypeAndLabelAndMountsAgain) {
    const struct {
        const char* type;
        const char* label;
        std::string calls;
    } cases[] = {
        {"vfat", "CARD", "Unmount\nFormat vfat CARD\nMount\n"},
        {"exfat", "", "Unmount\nFormat exfat \nMount\n"},
        {"ntfs", "DATA", "Unmount\nFormat vfat DATA\nMount\n"},
    };
    const QDBusConnection bus = StartBus();
    for (const auto& c : cases) {
        ASSERT_TRUE(StartFakeUDisks(
            bus, {{"mount_point", "/media/u/CARD"}, {"type", c.type}, {"label", c.label}}));
        UDisksCardFormatter formatter(bus);
        EXPECT_EQ(formatter.WhyUnavailable(), "");
        const FormatResult result = formatter.Format("/media/u/CARD");
        EXPECT_TRUE(result.formatted) << result.reason;
        EXPECT_EQ(Calls(), c.calls) << c.type;
        service_.kill();
        service_.waitForFinished();
        std::filesystem::remove(log_);
        for (int attempt = 0;
             attempt < 100 &&
             bus.interface()->isServiceRegistered("org.freedesktop.UDisks2").value();
             ++attempt) {
            QThread::msleep(20);
        }
    }
}

TEST_F(PrivateBus, TheServicesReasonComesBackWhenFormattingFails) {
    const QDBusConnection bus = StartBus();
    ASSERT_TRUE(StartFakeUDisks(bus, {{"mount_point", "/media/u/CARD"},
                                      {"label", "CARD"},
                                      {"format_error", "Error formatting: the card is locked"}}));
    UDisksCardFormatter formatter(bus);
    const FormatResult result = formatter.Format("/media/u/CARD");
    EXPECT_FALSE(result.formatted);
    EXPECT_EQ(result.reason, "Error formatting: the card is locked");
    EXPECT_EQ(Calls(), "Unmount\n");
}

TEST_F(PrivateBus, AVolumeTheServiceDoesNotKnowIsLeftAlone) {
    const QDBusConnection bus = StartBus();
    ASSERT_TRUE(StartFakeUDisks(bus, {{"mount_point", "/media/u/CARD"}}));
    UDisksCardFormatter formatter(bus);
    const FormatResult result = formatter.Format("/media/u/OTHER");
    EXPECT_FALSE(result.formatted);
    EXPECT_EQ(result.reason, "The disk service knows no volume mounted at /media/u/OTHER.");
    EXPECT_EQ(Calls(), "");
}

TEST_F(PrivateBus, WithoutUDisks2OnTheBusNothingCanBeFormatted) {
    UDisksCardFormatter formatter(StartBus());
    EXPECT_EQ(formatter.WhyUnavailable(),
              "The disk service UDisks2 is not available, so the card cannot be formatted here.");
}

} // namespace
} // namespace korvex
