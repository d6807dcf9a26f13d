#include "ChoiceBox.h"

namespace tolvane {

ChoiceBox::ChoiceBox(const char *name, std::initializer_list<Entry> entries, QWidget *parent) : QComboBox(parent)
{
    setObjectName(QLatin1String(name));
    for (const Entry &e : entries)
        addItem(e.first, e.second);
}

void ChoiceBox::SelectNumber(int number)
{
    setCurrentIndex(std::max(0, findData(number)));
}

int ChoiceBox::Number() const
{
    return currentData().toInt();
}

}  // namespace tolvane
