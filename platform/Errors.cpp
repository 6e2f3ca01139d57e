#include "platform/Errors.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

namespace {
std::string osErrorMessage(int code, const std::string& systemText) {
    if (code == 0)
        return "A call to an OS function failed";
    char head[64];
    std::snprintf(head, sizeof head, "System Error.  Code: %d.\r\n", code);
    return head + systemText;
}
} // namespace

EOSError::EOSError(int code, const std::string& systemText)
    : Exception(osErrorMessage(code, systemText)), code_(code) {}

EInvalidOp::EInvalidOp() : EMathError("Invalid floating point operation") {}
EZeroDivide::EZeroDivide() : EMathError("Floating point division by zero") {}
EOverflow::EOverflow() : EMathError("Floating point overflow") {}

EFCreateError::EFCreateError(const std::string& path, const std::string& reason)
    : Exception(QCoreApplication::translate("Errors", "Не удалось создать файл «%1». %2")
                    .arg(QString::fromStdString(path), QString::fromStdString(reason))
                    .toStdString()) {}

EFWriteError::EFWriteError(const std::string& target, const std::string& reason)
    : Exception(QCoreApplication::translate("Errors", "Не удалось записать в %1. %2")
                    .arg(QString::fromStdString(target), QString::fromStdString(reason))
                    .toStdString()) {}
