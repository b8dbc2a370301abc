#pragma once

#include <QString>
#include <stdexcept>

// Errors that a handler does not catch end up in the default error report: handlers connected to signals
// through connectGuarded (common/guardedconnect.h), event handlers through TApplication::notify.
// what() carries the message in UTF-8.
class TrombusError : public std::runtime_error
{
public:
    explicit TrombusError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

class ConvertError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

class FloatError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

class RegistryError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

class FileError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};
