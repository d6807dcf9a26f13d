#pragma once
// Reads and writes "schedule.xml": the controller's options, the default schedule and the list
// of schedules as one XML tree, UTF-8 without a declaration or whitespace between elements.

#include <QDomDocument>
#include <QDateTime>
#include <QDomElement>
#include <QString>

#include <memory>

namespace tolvane {

class ClsController;
class ClsSchedule;

class clsDOM {
public:
    const QString &FilePath() const { return m_filePath; }
    void setFilePath(const QString &v) { m_filePath = v; }

    // Reads FilePath into the controller. A failure stops the reading where it happens and is
    // raised; what was assigned before it stays assigned.
    void LoadXML2Object(ClsController &controller);
    // Replaces FilePath with the controller's state. The file is replaced whole or not at all.
    void SchedulesSaveAsXML(ClsController &controller);

private:
    QDomElement MakeTextElement(const QString &name, const QString &value);
    std::shared_ptr<ClsSchedule> ReadSchedule(ClsController &controller, const QDomNode &node);
    QDomElement WriteSchedule(const ClsSchedule &schedule, const QString &name);
    // The schedule's one-shot delays, when it has any, with the moment they are spent (`until`,
    // the start of the recording they move; none when the schedule is not due within a week).
    void AppendPostponement(QDomElement &element, const ClsSchedule &schedule, const QDateTime &until);

    QDomDocument m_document;
    QString m_filePath;
    // While loading: the default schedule as read, the base of every listed schedule.
    std::shared_ptr<ClsSchedule> m_baseSchedule;
};

}  // namespace tolvane
