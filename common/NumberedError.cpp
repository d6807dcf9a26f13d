#include "NumberedError.h"

#include <utility>

namespace tolvane {

NumberedError::NumberedError(qint32 number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
    m_what = QStringLiteral("error %1: %2").arg(m_number).arg(m_description).toStdString();
}

NumberedError NumberedError::Standard(qint32 number, QString source)
{
    return NumberedError(number, StandardDescription(number), std::move(source));
}

QString NumberedError::StandardDescription(qint32 number)
{
    switch (number) {
    case ErrNo::InvalidProcedureCall: return QStringLiteral("Invalid procedure call or argument");
    case ErrNo::Overflow: return QStringLiteral("Overflow");
    case ErrNo::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case ErrNo::TypeMismatch: return QStringLiteral("Type mismatch");
    case ErrNo::FileNotFound: return QStringLiteral("File not found");
    case ErrNo::BadFileMode: return QStringLiteral("Bad file mode");
    case ErrNo::FileAlreadyExists: return QStringLiteral("File already exists");
    case ErrNo::DiskFull: return QStringLiteral("Disk full");
    case ErrNo::PathFileAccess: return QStringLiteral("Path/File access error");
    case ErrNo::PathNotFound: return QStringLiteral("Path not found");
    case ErrNo::ObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case ErrNo::CannotCreateObject: return QStringLiteral("Component can't create object");
    case ErrNo::DuplicateKey:
        return QStringLiteral("This key is already associated with an element of this collection");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

QString ErrorText(const QString &lead, const NumberedError &e)
{
    return lead + QStringLiteral("エラー番号は") + QString::number(e.Number()) + QStringLiteral("です。\n") +
           e.Description();
}

QString ConfirmErrorText(const QString &lead, const NumberedError &e)
{
    if (e.Number() == ErrNo::PathFileAccess)
        return QStringLiteral("ファイルが開けませんでした。書き込み可能なドライブを選択しているか確認して下さい。");
    return ErrorText(lead, e);
}

}  // namespace tolvane
