// The time query against a time server that the test runs on 127.0.0.1.

#include "core/controller/ClsController.h"
#include "core/timesync/ClsNTP.h"
#include "core/timesync/SntpPacket.h"
#include "tests/support/FakeTimeServer.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace tolvane;
using namespace tolvane::test;

namespace {

struct Outcome {
    QDateTime time;
    QStringList errors;
    int ticksMeanwhile = 0;
};

Outcome Ask(FakeTimeServer &server, int timeoutMs = 300)
{
    SimulatedClock clock(QDateTime::currentDateTime());
    ClsNTP ntp(std::shared_ptr<IClock>(&clock, [](IClock *) {}));
    ntp.Initialize();
    ntp.setTimeOut(timeoutMs);
    Outcome out;
    bool done = false;
    QObject::connect(&ntp, &ClsNTP::Err, [&](const QString &e) { out.errors << e; });
    QObject::connect(&ntp, &ClsNTP::Finished, [&](const QDateTime &t) {
        out.time = t;
        done = true;
    });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++out.ticksMeanwhile; });
    ticker.start(20);
    EXPECT_TRUE(ntp.GetDate("127.0.0.1", 0, server.Port()));
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(done);
    return out;
}

}  // namespace

// A proper reply gives the server's time in local time, fraction included.
TEST(ClsNTP, ValidReplyGivesTheServerTime)
{
    FakeTimeServer server(FakeTimeServer::Reply::Valid);
    const Outcome out = Ask(server);
    ASSERT_TRUE(out.time.isValid());
    EXPECT_EQ(out.time.toMSecsSinceEpoch(), kServerTime.toMSecsSinceEpoch() + 500);
    EXPECT_EQ(out.time.timeSpec(), Qt::LocalTime);
    EXPECT_TRUE(out.errors.isEmpty());
}

// Replies that do not answer our request, or come from a server that says its clock is not
// synchronised, are not believed: the query fails at its time-out.
TEST(ClsNTP, UnmatchedRepliesAreRefused)
{
    for (auto reply : {FakeTimeServer::Reply::WrongOriginate, FakeTimeServer::Reply::WrongMode,
                       FakeTimeServer::Reply::ZeroTimestamp, FakeTimeServer::Reply::Short,
                       FakeTimeServer::Reply::FromOtherPort, FakeTimeServer::Reply::Silent,
                       FakeTimeServer::Reply::Unsynchronised}) {
        FakeTimeServer server(reply);
        const Outcome out = Ask(server);
        EXPECT_FALSE(out.time.isValid()) << static_cast<int>(reply);
        EXPECT_EQ(out.errors, QStringList{"サーバからの受信失敗"}) << static_cast<int>(reply);
        EXPECT_EQ(server.requests, 1);
        EXPECT_GT(out.ticksMeanwhile, 5);  // the event loop went on while it waited
    }
}

// A name that cannot be resolved fails at once with its own message.
TEST(ClsNTP, UnresolvableServer)
{
    SimulatedClock clock(QDateTime::currentDateTime());
    ClsNTP ntp(std::shared_ptr<IClock>(&clock, [](IClock *) {}));
    QStringList errors;
    bool finished = false;
    QObject::connect(&ntp, &ClsNTP::Err, [&](const QString &e) { errors << e; });
    QObject::connect(&ntp, &ClsNTP::Finished, [&](const QDateTime &t) { finished = !t.isValid(); });
    ntp.GetDate("", 0, 123);
    EXPECT_TRUE(finished);
    EXPECT_EQ(errors, QStringList{"IPアドレスがおかしい"});
}

// A name is looked up, and the lookup has the time-out too: a resolver that never answers ends
// the query with the address message, and its answer coming later starts nothing.
TEST(ClsNTP, NameLookupHasATimeLimit)
{
    FakeTimeServer server(FakeTimeServer::Reply::Valid);
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers);
        SimulatedClock clock(QDateTime::currentDateTime());
        std::function<void(const QList<QHostAddress> &)> pending;
        QStringList looked;
        ClsNTP ntp(std::shared_ptr<IClock>(&clock, [](IClock *) {}),
                   [&](const QString &name, QObject *, std::function<void(const QList<QHostAddress> &)> done) {
                       looked << name;
                       if (answers)
                           QTimer::singleShot(10, [done] { done({QHostAddress(QStringLiteral("127.0.0.1"))}); });
                       else
                           pending = std::move(done);
                   });
        ntp.setTimeOut(300);
        QStringList errors;
        int finished = 0;
        QDateTime time;
        QObject::connect(&ntp, &ClsNTP::Err, [&](const QString &e) { errors << e; });
        QObject::connect(&ntp, &ClsNTP::Finished, [&](const QDateTime &t) {
            ++finished;
            time = t;
        });
        ASSERT_TRUE(ntp.GetDate("time.example.org", 0, server.Port()));
        QElapsedTimer waited;
        waited.start();
        while (finished == 0 && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        EXPECT_EQ(looked, QStringList{"time.example.org"});
        ASSERT_EQ(finished, 1);
        EXPECT_EQ(time.isValid(), answers);
        EXPECT_EQ(errors, answers ? QStringList{} : QStringList{"IPアドレスがおかしい"});
        if (!answers) {
            const int requests = server.requests;
            pending({QHostAddress(QStringLiteral("127.0.0.1"))});
            QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
            EXPECT_EQ(finished, 1);
            EXPECT_EQ(server.requests, requests);
            EXPECT_FALSE(ntp.Busy());
        }
    }
}

// Conversions of the NTP timestamp, the era after 2036 included.
TEST(SntpPacket, TimestampConversions)
{
    EXPECT_EQ(SntpPacket::ToMSecsSinceEpoch(quint64{3913056000u} << 32),
              QDateTime(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch());
    EXPECT_EQ(SntpPacket::ToMSecsSinceEpoch((quint64{3913056000u} << 32) | 0x80000000u) % 1000, 500);
    const qint64 after2036 = QDateTime(QDate(2040, 6, 1), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    EXPECT_EQ(SntpPacket::ToMSecsSinceEpoch(SntpPacket::ToNtpTimestamp(after2036)), after2036);
    const QByteArray request = SntpPacket::BuildRequest(0x0102030405060708ull);
    EXPECT_EQ(request.size(), 48);
    EXPECT_EQ(request[0], 0x0B);
    EXPECT_EQ(qFromBigEndian<quint64>(request.constData() + 40), 0x0102030405060708ull);
}

// The controller's clock step: a valid answer sets the clock and logs it; a bad one changes
// nothing. A second request made while the first runs is run after it, with its own log lines.
TEST(SetTimeFromServer, SetsTheClockAndLogs)
{
    for (auto reply : {FakeTimeServer::Reply::Valid, FakeTimeServer::Reply::WrongOriginate}) {
        FakeTimeServer server(reply);
        TestEnv env(QDateTime(QDate(2024, 1, 1), QTime(8, 0, 0)));
        ClsController c(env.services);
        c.Setup();
        c.gMakeLog = true;
        c.gSetTimeServer = QStringLiteral("127.0.0.1:%1").arg(server.Port());
        std::vector<bool> outcomes;
        QObject::connect(&c, &ClsController::OnTimeSet, [&](bool succeeded) { outcomes.push_back(succeeded); });
        c.SetTimeFromServer();
        c.SetTimeFromServer();
        QElapsedTimer waited;
        waited.start();
        while (outcomes.size() < 2 && waited.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const bool valid = reply == FakeTimeServer::Reply::Valid;
        EXPECT_EQ(outcomes, std::vector<bool>(2, valid));
        EXPECT_EQ(server.requests, 2);
        QFile log(env.Path("rec.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        EXPECT_EQ(text.count("GetTimeFrom 127.0.0.1:"), 2);
        EXPECT_EQ(env.clockSetter->calls, valid ? 2 : 0);
        EXPECT_EQ(text.count(valid ? "ChangeSuccessed" : "GetTimeFailed"), 2);
        if (valid) {
            EXPECT_EQ(env.clock->Now().toMSecsSinceEpoch(), kServerTime.toMSecsSinceEpoch() + 500);
        }
    }
}
