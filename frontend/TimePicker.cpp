#include "TimePicker.h"

namespace tolvane {

TimePicker::TimePicker(const char *name, QWidget *parent) : QTimeEdit(parent)
{
    setObjectName(QLatin1String(name));
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    // Stepping past midnight goes round the clock, as a time of day does.
    setWrapping(true);
    setTime(QTime(0, 0));
}

Seconds TimePicker::Value() const
{
    return Seconds(QTime(0, 0).secsTo(time()));
}

void TimePicker::setValue(Seconds s)
{
    setTime(QTime(0, 0).addSecs(static_cast<int>(WrapDay(s).count())));
}

}  // namespace tolvane
