#pragma once
// A time-of-day picker "hh:mm:ss" that speaks whole seconds after midnight, the form the
// schedules keep their times and durations in.

#include "core/schedule/TimeOfDay.h"

#include <QTimeEdit>

namespace tolvane {

class TimePicker : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimePicker(const char *name, QWidget *parent = nullptr);

    Seconds Value() const;
    // Any number of seconds is shown on the clock face.
    void setValue(Seconds s);
};

}  // namespace tolvane
