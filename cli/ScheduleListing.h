#pragma once
// What `tolvane-cli schedule list` shows of a schedule: every field a user sets, named as the
// options of `schedule add` that set it, as a text block or as JSON.

#include "core/schedule/ClsSchedule.h"

#include <QJsonObject>
#include <QString>

namespace tolvane::cli {

class ScheduleListing {
public:
    // `number` counts from 1 in list order; `defaultFolder` is where a schedule without a
    // folder of its own saves.
    ScheduleListing(const ClsSchedule &schedule, qsizetype number, const QString &defaultFolder);

    QJsonObject Json() const { return m_fields; }
    QString Text() const;

private:
    QJsonObject m_fields;
    QStringList m_order;
    QString m_defaultFolder;
};

}  // namespace tolvane::cli
