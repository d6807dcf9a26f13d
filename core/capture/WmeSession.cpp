#include "WmeSession.h"

#include "common/NumberedError.h"
#include "core/persistence/AtomicFile.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("WmeSession");
const QString kRoot = QStringLiteral("TolvaneWMESession");

NumberedError Invalid(const QString &path, const QString &what)
{
    return NumberedError(ErrNo::TypeMismatch, QStringLiteral("%1: %2").arg(path, what), kSource);
}

QString ChildText(const QDomElement &root, const QString &name, const QString &path)
{
    const QDomElement e = root.firstChildElement(name);
    if (e.isNull())
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("%1: %2 is missing").arg(path, name), kSource);
    return e.text().trimmed();
}

qint32 ChildInt(const QDomElement &root, const QString &name, const QString &path)
{
    bool ok = false;
    const qint32 v = ChildText(root, name, path).toInt(&ok);
    if (!ok)
        throw Invalid(path, QStringLiteral("%1 is not a whole number").arg(name));
    return v;
}

}  // namespace

void WmeSession::Validate(const QString &where) const
{
    if (OutputFile.size() < 5 || OutputFile.contains(QLatin1Char('/')) || !Extension().startsWith(QLatin1Char('.')))
        throw Invalid(where, QStringLiteral("OutputFile \"%1\" must be a file name ending in an extension such as .wma")
                                 .arg(OutputFile));
    if (Codec != QLatin1String("wmav2") && Codec != QLatin1String("wmav1"))
        throw Invalid(where, QStringLiteral("Codec \"%1\" must be wmav2 or wmav1").arg(Codec));
    if (BitRate < 8000 || BitRate > 384000)
        throw Invalid(where, QStringLiteral("BitRate %1 must be between 8000 and 384000").arg(BitRate));
    if (SampleRate != 8000 && SampleRate != 11025 && SampleRate != 16000 && SampleRate != 22050 &&
        SampleRate != 32000 && SampleRate != 44100 && SampleRate != 48000)
        throw Invalid(where, QStringLiteral("SampleRate %1 is not one of 8000, 11025, 16000, 22050, 32000, 44100, 48000")
                                 .arg(SampleRate));
    if (Channels != 1 && Channels != 2)
        throw Invalid(where, QStringLiteral("Channels %1 must be 1 or 2").arg(Channels));
}

WmeSession WmeSession::Load(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw NumberedError(ErrNo::FileNotFound, QStringLiteral("%1: no such session file").arg(path), kSource);
    if (!file.open(QIODevice::ReadOnly))
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("%1: %2").arg(path, file.errorString()), kSource);
    QDomDocument doc;
    QString message;
    int line = 0;
    if (!doc.setContent(file.readAll(), &message, &line))
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("%1: line %2: %3").arg(path).arg(line).arg(message),
                            kSource);
    const QDomElement root = doc.documentElement();
    if (root.tagName() != kRoot)
        throw NumberedError(ErrNo::ObjectNotSet, QStringLiteral("%1: not a session file").arg(path), kSource);
    WmeSession s;
    s.OutputFile = ChildText(root, QStringLiteral("OutputFile"), path);
    s.Codec = ChildText(root, QStringLiteral("Codec"), path);
    s.BitRate = ChildInt(root, QStringLiteral("BitRate"), path);
    s.SampleRate = ChildInt(root, QStringLiteral("SampleRate"), path);
    s.Channels = ChildInt(root, QStringLiteral("Channels"), path);
    s.Validate(path);
    return s;
}

void WmeSession::Save(const QString &path) const
{
    Validate(path);
    QDomDocument doc;
    QDomElement root = doc.createElement(kRoot);
    root.setAttribute(QStringLiteral("version"), QStringLiteral("1"));
    doc.appendChild(root);
    const auto add = [&](const QString &name, const QString &value) {
        QDomElement e = doc.createElement(name);
        e.appendChild(doc.createTextNode(value));
        root.appendChild(e);
    };
    add(QStringLiteral("OutputFile"), OutputFile);
    add(QStringLiteral("Codec"), Codec);
    add(QStringLiteral("BitRate"), QString::number(BitRate));
    add(QStringLiteral("SampleRate"), QString::number(SampleRate));
    add(QStringLiteral("Channels"), QString::number(Channels));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw NumberedError(ErrNo::PathNotFound, QStringLiteral("%1: cannot create its folder").arg(path), kSource);
    WriteFileAtomically(path, doc.toByteArray(2), kSource);
}

QString WmeSession::DefaultPath(const QString &appFolder)
{
    return appFolder + QStringLiteral("/wme/default.wme");
}

WmeSession WmeSession::LoadOrCreateDefault(const QString &path, const QString &appFolder)
{
    if (!QFileInfo::exists(path) && QFileInfo(path).absoluteFilePath() == QFileInfo(DefaultPath(appFolder)).absoluteFilePath())
        WmeSession().Save(path);
    return Load(path);
}

}  // namespace tolvane
