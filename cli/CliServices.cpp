#include "CliServices.h"

#include "common/AppFolder.h"
#include "common/NumberedError.h"
#include "services/RealServices.h"

#include <cstdio>

namespace tolvane::cli {

namespace {

class DryRunPower final : public IPower {
public:
    void Hibernate() override { Say("hibernate"); }
    void PowerOff() override { Say("power off"); }

private:
    static void Say(const char *what)
    {
        std::fprintf(stderr, "tolvane-cli: dry run: would %s now\n", what);
        std::fflush(stderr);
    }
};

class DryRunClockSetter final : public IClockSetter {
public:
    void SetTime(const QDateTime &moment) override
    {
        std::fprintf(stderr, "tolvane-cli: dry run: would set the clock to %s\n",
                     qPrintable(moment.toString(Qt::ISODateWithMs)));
        std::fflush(stderr);
    }
};

}  // namespace

bool DryRun()
{
    const QByteArray value = qgetenv("TOLVANE_DRY_RUN");
    return !value.isEmpty() && value != "0";
}

std::shared_ptr<CoreServices> MakeServices(ServiceMode mode)
{
    auto services = RealServices(AppFolder::Path());
    if (mode == ServiceMode::ReadOnly) {
        services->readOnly = true;
        services->tickTimer.reset();
        services->wakeAlarm.reset();
        services->clockSetter = std::make_shared<RefusingClockSetter>();
    }
    if (DryRun()) {
        services->power = std::make_shared<DryRunPower>();
        services->clockSetter = std::make_shared<DryRunClockSetter>();
    }
    return services;
}

}  // namespace tolvane::cli
