#pragma once
// A drop-down list whose entries each carry a stored number, as the settings dialogs offer
// their choices: the text is shown, the number is what the schedule keeps.

#include <QComboBox>

#include <initializer_list>
#include <utility>

namespace tolvane {

class ChoiceBox : public QComboBox {
    Q_OBJECT
public:
    using Entry = std::pair<QString, int>;

    ChoiceBox(const char *name, std::initializer_list<Entry> entries, QWidget *parent = nullptr);

    // Selects the entry that stores `number`, or the first entry when none does.
    void SelectNumber(int number);
    // The stored number of the selected entry.
    int Number() const;
};

}  // namespace tolvane
