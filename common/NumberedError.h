#pragma once
// The one error type of the system: a number, a description and a source, as the
// behaviour's numbered errors carry them to callers and to OnError.

#include <QString>
#include <QtGlobal>

#include <exception>
#include <string>

namespace tolvane {

namespace ErrNo {
inline constexpr qint32 InvalidProcedureCall = 5;  // also a collection's invalid argument
inline constexpr qint32 Overflow = 6;
inline constexpr qint32 SubscriptOutOfRange = 9;
inline constexpr qint32 TypeMismatch = 13;
inline constexpr qint32 FileNotFound = 53;
inline constexpr qint32 BadFileMode = 54;
inline constexpr qint32 FileAlreadyExists = 58;
inline constexpr qint32 DiskFull = 61;
inline constexpr qint32 PathFileAccess = 75;
inline constexpr qint32 PathNotFound = 76;
inline constexpr qint32 ObjectNotSet = 91;
inline constexpr qint32 CannotCreateObject = 429;  // a component the platform should offer is missing
inline constexpr qint32 DuplicateKey = 457;
inline constexpr qint32 InvalidLevel = qint32(0x80040001u);
inline constexpr qint32 NoMixerDevice = InvalidLevel;
inline constexpr qint32 InvalidStatus = qint32(0x80040003u);
inline constexpr qint32 SoundLost = qint32(0x80040004u);  // frames the sound source could not deliver
}  // namespace ErrNo

class NumberedError : public std::exception {
public:
    NumberedError(qint32 number, QString description, QString source = {});

    // An error with the system's standard description for its number.
    static NumberedError Standard(qint32 number, QString source = {});
    static QString StandardDescription(qint32 number);

    qint32 Number() const noexcept { return m_number; }
    const QString &Description() const noexcept { return m_description; }
    const QString &Source() const noexcept { return m_source; }

    const char *what() const noexcept override { return m_what.c_str(); }

private:
    qint32 m_number;
    QString m_description;
    QString m_source;
    std::string m_what;
};

// The text an error box shows: lead, "エラー番号は", the number, "です。", a line break and
// the description.
QString ErrorText(const QString &lead, const NumberedError &e);
// As ErrorText, except that a file that could not be opened (75) gets its own advice.
QString ConfirmErrorText(const QString &lead, const NumberedError &e);

}  // namespace tolvane
