#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

/// A runtime failure as the suite's error reporters see it: number (0 means no error), description
/// and source (the component that raised it). Failing steps throw it; the routine that traps its
/// failures hands it to its reporter.
class RuntimeError : public std::exception
{
public:
    /// "Invalid procedure call or argument": the failure a wrong length or position gives.
    static constexpr long InvalidArgument = 5;
    /// A common dialog was cancelled while it was told to cancel with an error.
    static constexpr long CancelSelected = 32755;

    RuntimeError(long number, const QString& description, const QString& source = {});

    long number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }

    /// "(number) description", UTF-8, for logs and test output.
    const char* what() const noexcept override;

private:
    long m_number = 0;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
