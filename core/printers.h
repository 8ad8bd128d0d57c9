// Spooler queries: is a printer installed, its driver and port, which catalogue model it is.
#pragma once

#include "core/model.h"

#include <string>
#include <vector>

// One local printer as the spooler lists it.
struct LocalPrinter {
    std::wstring name, driver, port;
    bool workOffline = false;
};
// The local printers in spooler order; false when the spooler refuses.
bool ListLocalPrinters(std::vector<LocalPrinter>& printers);

bool PrinterExists(const std::wstring& name);
bool GetPrinterDriverName(const std::wstring& name, std::wstring& driverName);
bool GetPrinterPortName(const std::wstring& name, std::wstring& portName);
bool IsPrinterCompatible(const ModelCatalogue& catalogue, const std::wstring& name);
bool FindModelIndex(const ModelCatalogue& catalogue, const std::wstring& name, size_t& index);
