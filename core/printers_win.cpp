// Spooler queries on local printers at level 2; every handle and buffer is released on every path.
#include "core/printers.h"

#include "core/printer_list_win.h"
#include "core/rules.h"
#include "win/controls.h"
#include "win/handles.h"

#include <memory>

namespace {

// Enumerates the local printers at level 2 into a zero-filled block; empty when the spooler refuses.
struct PrinterList {
    std::unique_ptr<BYTE[]> block;
    DWORD count = 0;
    const PRINTER_INFO_2W* begin() const { return reinterpret_cast<const PRINTER_INFO_2W*>(block.get()); }
    const PRINTER_INFO_2W* end() const { return begin() + count; }
};

bool EnumLocalPrinters(PrinterList& list) {
    DWORD needed = 0, returned = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return false;
    list.block.reset(new (std::nothrow) BYTE[needed]());
    if (!list.block)
        return false;
    if (!::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, list.block.get(), needed, &needed, &returned))
        return false;
    list.count = returned;
    return true;
}

// Level-2 information of one printer, opened by name with default access.
bool QueryPrinterInfo(const std::wstring& name, std::unique_ptr<BYTE[]>& block) {
    win::PrinterHandle printer;
    if (!::OpenPrinterW(const_cast<LPWSTR>(name.c_str()), printer.put(), nullptr))
        return false;
    DWORD needed = 0;
    ::GetPrinterW(printer.get(), 2, nullptr, 0, &needed);
    if (needed == 0)
        return false;
    block.reset(new (std::nothrow) BYTE[needed]());
    if (!block)
        return false;
    return ::GetPrinterW(printer.get(), 2, block.get(), needed, &needed) != FALSE;
}

const wchar_t* OrEmpty(const wchar_t* s) {
    return s ? s : L"";
}

} // namespace

bool ListLocalPrinters(std::vector<InstalledPrinter>& printers) {
    printers.clear();
    PrinterList list;
    if (!EnumLocalPrinters(list))
        return false;
    for (const auto& info : list)
        printers.push_back({OrEmpty(info.pPrinterName), OrEmpty(info.pDriverName),
                            (info.Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE) != 0,
                            OrEmpty(info.pPortName)});
    return true;
}

bool PrinterExists(const std::wstring& name) {
    PrinterList list;
    if (!EnumLocalPrinters(list))
        return false;
    for (const auto& info : list)
        if (name == OrEmpty(info.pPrinterName))
            return true;
    return false;
}

bool GetPrinterDriverName(const std::wstring& name, std::wstring& driverName) {
    std::unique_ptr<BYTE[]> block;
    if (!QueryPrinterInfo(name, block))
        return false;
    const wchar_t* driver = OrEmpty(reinterpret_cast<const PRINTER_INFO_2W*>(block.get())->pDriverName);
    if (wcslen(driver) >= MAX_PATH)
        return false;
    driverName = driver;
    return true;
}

bool GetPrinterPortName(const std::wstring& name, std::wstring& portName) {
    std::unique_ptr<BYTE[]> block;
    if (!QueryPrinterInfo(name, block))
        return false;
    portName = OrEmpty(reinterpret_cast<const PRINTER_INFO_2W*>(block.get())->pPortName);
    return true;
}

bool FindModelIndex(const ModelCatalogue& catalogue, const std::wstring& name, size_t& index) {
    std::wstring driver;
    if (!GetPrinterDriverName(name, driver))
        driver.clear();
    const ModelRecord* model = FindModel(catalogue, driver);
    if (!model)
        return false;
    index = static_cast<size_t>(model - catalogue.data());
    return true;
}

bool IsPrinterCompatible(const ModelCatalogue& catalogue, const std::wstring& name) {
    // The spooler is asked with the name cut to the classic path buffer.
    std::wstring driver;
    if (!GetPrinterDriverName(name.substr(0, MAX_PATH - 1), driver))
        return false;
    return FindModel(catalogue, driver) != nullptr;
}

bool FillPrinterList(HWND comboBox, const std::vector<std::wstring>& modelNames) {
    if (modelNames.empty())
        return false;
    std::vector<InstalledPrinter> printers;
    if (!ListLocalPrinters(printers) || printers.empty())
        return false;
    const PrinterChoice choice = ChooseAcceptablePrinters(printers, modelNames);
    if (choice.listed.empty())
        return false;
    const win::ComboBox list(comboBox);
    for (const std::wstring& name : choice.listed)
        list.AddString(name);
    list.SetCurSel(0);
    if (choice.preferred.empty())
        return true;
    const int found = list.FindStringExact(choice.preferred, 0);
    if (found != CB_ERR)
        list.SetCurSel(found);
    return true;
}
