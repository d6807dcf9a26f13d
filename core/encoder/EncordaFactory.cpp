#include "EncordaFactory.h"

#include "core/encoder/ClsWavFile2MP3.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tolvane {

namespace {

// Beside the running program in a build; in the package's helper folder once installed.
QString FindEncorda()
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QString beside = bin + QStringLiteral("/encorda");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QDir::cleanPath(bin + QStringLiteral("/" TOLVANE_BIN_TO_HELPERS "/encorda"));
}

}  // namespace

EncordaFactory::EncordaFactory(QString encordaPath)
    : m_path(encordaPath.isEmpty() ? FindEncorda() : std::move(encordaPath))
{
}

std::unique_ptr<IWavFile2MP3> EncordaFactory::Create()
{
    return std::make_unique<ClsWavFile2MP3>(m_path);
}

}  // namespace tolvane
