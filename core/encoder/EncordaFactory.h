#pragma once
// Makes encoder objects, each with its own encorda server process.

#include "core/encoder/IWavFile2MP3.h"

#include <QString>

namespace tolvane {

class EncordaFactory : public IEncoderFactory {
public:
    // encordaPath names the server program; empty means "encorda" beside the running program, or
    // in the installed helper folder when there is none beside it.
    explicit EncordaFactory(QString encordaPath = {});

    std::unique_ptr<IWavFile2MP3> Create() override;

    const QString &EncordaPath() const { return m_path; }

private:
    QString m_path;
};

}  // namespace tolvane
