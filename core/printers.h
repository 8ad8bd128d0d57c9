// Spooler queries: is a printer installed, its driver and port, which catalogue model it is.
#pragma once

#include "core/model.h"
#include "core/rules.h"

#include <string>
#include <vector>

// The local printers in spooler order; false when the spooler refuses.
bool ListLocalPrinters(std::vector<InstalledPrinter>& printers);

bool PrinterExists(const std::wstring& name);
bool GetPrinterDriverName(const std::wstring& name, std::wstring& driverName);
bool GetPrinterPortName(const std::wstring& name, std::wstring& portName);
bool IsPrinterCompatible(const ModelCatalogue& catalogue, const std::wstring& name);
bool FindModelIndex(const ModelCatalogue& catalogue, const std::wstring& name, size_t& index);
