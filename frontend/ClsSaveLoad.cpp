#include "ClsSaveLoad.h"

#include "common/NumberedError.h"
#include "core/persistence/StoredValue.h"
#include "frontend/ClsSaveLoadXMLHelper.h"
#include "frontend/Frmmain.h"

#include <QDir>
#include <QHeaderView>
#include <QTreeWidget>

#include <optional>

namespace tolvane {

namespace {

const QString kFileName = QStringLiteral("TolcoreShell.xml");
const QString kRoot = QStringLiteral("TolvaneShellData");

// The child's text, or nothing when the child or its text is missing.
std::optional<QString> ChildText(const ClsSaveLoadXMLHelper &parent, const QString &name)
{
    const ClsSaveLoadXMLHelper child = parent.ChildParameter(name);
    if (!child.IsSet())
        return std::nullopt;
    const QString text = child.Value().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

// "True"/"False" in any letter case, or a number (non-zero is true); nothing for anything else.
std::optional<bool> ReadBool(const ClsSaveLoadXMLHelper &parent, const QString &name)
{
    const auto text = ChildText(parent, name);
    if (!text)
        return std::nullopt;
    try {
        return StoredValue::ToBool(*text, name);
    } catch (const NumberedError &) {
        return std::nullopt;
    }
}

// A whole number within [low, high].
std::optional<int> ReadInt(const ClsSaveLoadXMLHelper &parent, const QString &name, int low, int high)
{
    const auto text = ChildText(parent, name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

// A size in pixels, written as a number that may carry a fraction.
std::optional<int> ReadPixels(const ClsSaveLoadXMLHelper &parent, const QString &name, int low)
{
    const auto text = ChildText(parent, name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->toDouble(&ok);
    if (!ok || !(value >= low) || value > 100000)
        return std::nullopt;
    return static_cast<int>(value + 0.5);
}

void LoadColumns(const ClsSaveLoadXMLHelper &root, QTreeWidget &list)
{
    const ClsSaveLoadXMLHelper columns = root.ChildParameter(QStringLiteral("ScheduleList"));
    if (!columns.IsSet())
        return;
    QHeaderView &header = *list.header();
    const QStringList &keys = Frmmain::ColumnKeys();
    for (int c = 0; c < keys.size(); ++c) {
        const ClsSaveLoadXMLHelper column = columns.ChildParameter(keys[c]);
        if (!column.IsSet())
            continue;
        if (const auto width = ReadPixels(column, QStringLiteral("Width"), 0))
            header.resizeSection(c, *width);
        // Swapping with the column that holds the wanted place keeps the places a permutation
        // whatever the file says; a missing or impossible place leaves the column where it is.
        if (const auto position = ReadInt(column, QStringLiteral("Position"), 1, static_cast<int>(keys.size())))
            header.swapSections(header.visualIndex(c), *position - 1);
    }
}

}  // namespace

QString ClsSaveLoad::ExistingFile() const
{
    const QDir folder(m_appFolder);
    if (QFileInfo(folder.filePath(kFileName)).isFile())
        return folder.filePath(kFileName);
    // Another spelling of the same name, as a copy from a case-blind file system may carry.
    const QStringList others = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : others) {
        if (name.compare(kFileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return {};
}

void ClsSaveLoad::LoadParameter(Frmmain &window) const
{
    const QString file = ExistingFile();
    if (file.isEmpty()) {
        // An earlier version kept the two confirmation switches in the schedule file.
        ClsSaveLoadXMLHelper old;
        const auto root = old.ReadXML(m_appFolder + QStringLiteral("/schedule.xml"));
        if (!root)
            return;
        const ClsSaveLoadXMLHelper options = root->ChildParameter(QStringLiteral("Options"));
        if (options.IsSet()) {
            if (const auto b = ReadBool(options, QStringLiteral("AskDelete")))
                window.gAskDelete = *b;
            if (const auto b = ReadBool(options, QStringLiteral("AskDoubling")))
                window.gAskDoubling = *b;
        }
        window.gSetPriority = false;
        window.gPriorityIndex = 2;
        return;
    }

    ClsSaveLoadXMLHelper helper;
    const auto root = helper.ReadXML(file);
    // A damaged file, or one that is not ours, must not reset the settings it fails to give.
    if (!root || root->Name() != kRoot)
        return;
    if (const auto b = ReadBool(*root, QStringLiteral("AskDelete")))
        window.gAskDelete = *b;
    if (const auto b = ReadBool(*root, QStringLiteral("AskDoubling")))
        window.gAskDoubling = *b;
    window.gSetPriority = ReadBool(*root, QStringLiteral("SetPriority")).value_or(false);
    window.gPriorityIndex = static_cast<qint16>(ReadInt(*root, QStringLiteral("PriorityIndex"), 0, 4).value_or(2));
    const auto height = ReadPixels(*root, QStringLiteral("MainHeight"), 1);
    const auto width = ReadPixels(*root, QStringLiteral("MainWidth"), 1);
    if (height || width)
        window.resize(width.value_or(window.width()), height.value_or(window.height()));
    LoadColumns(*root, *window.ScheduleList());
}

void ClsSaveLoad::SaveParameter(const Frmmain &window) const
{
    ClsSaveLoadXMLHelper root;
    root.CreateTopParameter(kRoot);
    root.AddChildParameter(QStringLiteral("AskDelete")).setValue(StoredValue::FromBool(window.gAskDelete));
    root.AddChildParameter(QStringLiteral("AskDoubling")).setValue(StoredValue::FromBool(window.gAskDoubling));
    root.AddChildParameter(QStringLiteral("SetPriority")).setValue(StoredValue::FromBool(window.gSetPriority));
    root.AddChildParameter(QStringLiteral("PriorityIndex")).setValue(QString::number(window.gPriorityIndex));
    root.AddChildParameter(QStringLiteral("MainHeight")).setValue(QString::number(window.height()));
    root.AddChildParameter(QStringLiteral("MainWidth")).setValue(QString::number(window.width()));

    const ClsSaveLoadXMLHelper columns = root.AddChildParameter(QStringLiteral("ScheduleList"));
    const QHeaderView &header = *window.ScheduleList()->header();
    const QStringList &keys = Frmmain::ColumnKeys();
    for (int c = 0; c < keys.size(); ++c) {
        const ClsSaveLoadXMLHelper column = columns.AddChildParameter(keys[c]);
        column.AddChildParameter(QStringLiteral("Width")).setValue(QString::number(header.sectionSize(c)));
        column.AddChildParameter(QStringLiteral("Position")).setValue(QString::number(header.visualIndex(c) + 1));
    }

    // An existing file under another spelling is the same settings file: replace it, so that
    // there are never two.
    const QString existing = ExistingFile();
    root.WriteXML(existing.isEmpty() ? m_appFolder + QLatin1Char('/') + kFileName : existing);
}

}  // namespace tolvane
