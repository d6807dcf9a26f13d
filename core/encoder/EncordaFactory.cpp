#include "EncordaFactory.h"

#include "core/encoder/ClsWavFile2MP3.h"

#include <QCoreApplication>

namespace tolvane {

EncordaFactory::EncordaFactory(QString encordaPath)
    : m_path(encordaPath.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/encorda")
                                   : std::move(encordaPath))
{
}

std::unique_ptr<IWavFile2MP3> EncordaFactory::Create()
{
    return std::make_unique<ClsWavFile2MP3>(m_path);
}

}  // namespace tolvane
