#pragma once
// A set-up controller on a simulated Monday morning, with every platform service faked, and
// helpers to add schedules and to let the timetable run tick by tick.

#include "core/controller/ClsController.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tolvane::test {

class ControllerFixture : public ::testing::Test {
protected:
    static QDateTime At(int h, int m, int s, int ms = 0) { return QDateTime(QDate(2024, 3, 4), QTime(h, m, s, ms)); }

    ControllerFixture()
    {
        QObject::connect(&c, &ClsController::OnStatusChanged, [this](tolvane::Status s) { statuses.push_back(s); });
        QObject::connect(&c, &ClsController::OnError, [this](const NumberedError &e) { errors.push_back(e); });
        QObject::connect(&c, &ClsController::OnUnload, [this](bool &cancel) {
            ++unloads;
            cancel = cancelUnload;
        });
        QObject::connect(&c, &ClsController::OnArriveWaveData16, [this](std::vector<qint16> &) { ++levelEvents; });
        c.Setup();
        c.gMakeLog = true;
    }

    std::shared_ptr<ClsSchedule> AddSchedule(const QString &name, const QString &start, const QString &end,
                                             FormatType format = FormatType::wave)
    {
        auto s = c.CreateNewSchedule();
        s->setName(name);
        s->setStartTime(start);
        s->setEndTime(end);
        s->setRecordingFormat(format);
        for (int d = 0; d < 7; ++d)
            s->setStartDay(d, 1);
        c.AddSchedule2List(s);
        return s;
    }

    // One tick at the given moment of the test day, then whatever the event loop has pending.
    void TickAt(const QTime &t)
    {
        env.clock->Set(QDateTime(QDate(2024, 3, 4), t));
        env.timer->Fire();
        QCoreApplication::processEvents();
    }

    // Ticks every 100 ms from the clock's moment up to and including `t`.
    void RunUntil(const QTime &t)
    {
        QDateTime now = env.clock->Now();
        const QDateTime end(QDate(2024, 3, 4), t);
        if (now >= end)
            now = end.addMSecs(-100);
        while (now < end) {
            now = now.addMSecs(100);
            TickAt(now.time());
        }
    }

    QString MakeFile(const QString &name)
    {
        const QString path = env.Path(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        return path;
    }

    QStringList LogLines() const
    {
        QFile f(env.Path("rec.log"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
        lines.removeLast();
        return lines;
    }

    int SntpRequests() const { return static_cast<int>(LogLines().filter("GetTimeFrom").size()); }

    TestEnv env{At(6, 59, 0)};
    ClsController c{env.services};
    std::vector<tolvane::Status> statuses;
    std::vector<NumberedError> errors;
    int unloads = 0;
    bool cancelUnload = false;
    int levelEvents = 0;
};

}  // namespace tolvane::test
