#pragma once

#include "printing/TPrinter.h"

#include <QString>

#include <cstddef>
#include <stdexcept>

// Makes the queue the printer's current one, as picking it in the list does; throws when it is not listed.
inline void chooseQueue(TPrinter& printer, const QString& queue) {
    const auto& list = printer.Printers();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Name == queue)
            return printer.setPrinterIndex(static_cast<int>(i));
    throw std::runtime_error("no queue " + queue.toStdString());
}
