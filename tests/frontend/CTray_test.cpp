// The notification icon: shown only with a picture and a notification area, the mouse events
// of a click and a double click, and the tooltip's length.

#include "frontend/CTray.h"

#include <QPixmap>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {

QIcon Picture()
{
    QPixmap p(16, 16);
    p.fill(Qt::blue);
    return QIcon(p);
}

TEST(CTray, AddIconNeedsAPictureAndAHost)
{
    CTray tray;
    tray.setHostCheck([] { return true; });
    tray.setVisible(true);
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.AddIcon(nullptr));

    tray.setIcon(Picture());
    tray.setHostCheck([] { return false; });
    EXPECT_FALSE(tray.AddIcon(nullptr));
    EXPECT_FALSE(tray.Visible());

    tray.setHostCheck([] { return true; });
    EXPECT_TRUE(tray.AddIcon(nullptr));
    EXPECT_TRUE(tray.Visible());
    tray.TaskbarCreated();
    EXPECT_TRUE(tray.Visible());
    tray.DeleteIcon();
    EXPECT_FALSE(tray.Visible());
    tray.TaskbarCreated();  // a hidden icon is not brought back
    EXPECT_FALSE(tray.Visible());
}

TEST(CTray, ClickAndDoubleClickEvents)
{
    CTray tray;
    QStringList events;
    QObject::connect(&tray, &CTray::Click, [&] { events << "Click"; });
    QObject::connect(&tray, &CTray::DblClick, [&] { events << "DblClick"; });
    QObject::connect(&tray, &CTray::MouseDown, [&](int b) { events << QStringLiteral("Down%1").arg(b); });
    QObject::connect(&tray, &CTray::MouseUp, [&](int b) { events << QStringLiteral("Up%1").arg(b); });

    // A double click arrives as a click followed by the double click.
    tray.Activated(QSystemTrayIcon::Trigger);
    tray.Activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(events, QStringList({"Down1", "Up1", "Click", "DblClick", "Up1"}));

    // The flag is cleared: the next click is a click again.
    events.clear();
    tray.Activated(QSystemTrayIcon::Trigger);
    tray.Activated(QSystemTrayIcon::Context);
    tray.Activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(events, QStringList({"Down1", "Up1", "Click", "Down2", "Up2", "Down4", "Up4"}));
}

TEST(CTray, ToolTipIsCut)
{
    CTray tray;
    const QString text(70, QChar(u'録'));
    tray.setToolTipText(text);
    EXPECT_EQ(tray.ToolTipText(), text.left(63));
    tray.setToolTipText(QStringLiteral("待機中"));
    EXPECT_EQ(tray.ToolTipText(), QStringLiteral("待機中"));
}

}  // namespace
