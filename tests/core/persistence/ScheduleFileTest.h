#pragma once
// The fixture of the schedule file tests: a fresh application folder, controllers made on it
// the way the program makes one at start, and the files in it.

#include "common/NumberedError.h"
#include "core/controller/ClsController.h"
#include "core/persistence/ClsScheduleSaveLoad.h"
#include "tests/support/TestServices.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>

// Texts and file contents in test failures as text.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}

namespace tolvane::test {

class ScheduleFileTest : public ::testing::Test {
protected:
    // A new controller with the schedule files loaded; a load error is kept in `error`.
    std::unique_ptr<ClsController> Load(std::optional<NumberedError> &error)
    {
        auto c = std::make_unique<ClsController>(env.services);
        try {
            ClsScheduleSaveLoad().LoadSchedule(*c);
        } catch (const NumberedError &e) {
            error = e;
        }
        return c;
    }
    // A new controller with the schedule files loaded; the load must succeed.
    std::unique_ptr<ClsController> Load()
    {
        std::optional<NumberedError> error;
        auto c = Load(error);
        EXPECT_FALSE(error) << error->what();
        return c;
    }
    void Save(ClsController &c) { ClsScheduleSaveLoad().SaveSchedule(c, QString()); }

    QByteArray Read(const QString &name) const
    {
        QFile f(env.Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(env.Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QStringList Files() const { return QDir(env.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries); }

    TestEnv env;
};

}  // namespace tolvane::test
