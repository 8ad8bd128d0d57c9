// One supported printer model as the settings file and the driver's registry key describe it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ModelRecord {
    std::wstring name;        // model name = printer-driver name = settings section = registry subkey
    int32_t SeriesCode = 0;   // compared with byte 3 of the printer's status block
    int32_t ModelCode = 0;    // compared with byte 4 of the printer's status block
    std::wstring ModelID;     // lower-cased registry value "ModelID"; start of default file names
    uint32_t ELChangeCmd = 0; // carried only
};

using ModelCatalogue = std::vector<ModelRecord>;

// The catalogue's model of a printer driver, compared exactly; null when the driver is no model of it. Kept
// on purpose: of two identical catalogue names the first wins, as in every lookup by name.
const ModelRecord* FindModel(const ModelCatalogue& catalogue, const std::wstring& driverName);
// The model a user named (letter case ignored); null when none.
const ModelRecord* FindModelNamed(const ModelCatalogue& catalogue, const std::wstring& name);
// "Korvale LX-410, Korvale LX-450W", for a message that lists them.
std::wstring ModelNames(const ModelCatalogue& catalogue);
