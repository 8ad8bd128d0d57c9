// Removable drives labelled with the end of the model name, in drive-letter order.
#include "comm/local_drives.h"

namespace {

wchar_t AsciiUpper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

bool LabelMatchesModel(const std::wstring& label, const std::wstring& modelName) {
    // An empty label compares zero characters and so matches: a printer in storage mode may carry no label.
    const size_t n = label.size();
    const std::wstring tail = n >= modelName.size() ? modelName : modelName.substr(modelName.size() - n);
    if (tail.size() != label.size())
        return false;
    for (size_t i = 0; i < n; ++i)
        if (AsciiUpper(tail[i]) != AsciiUpper(label[i]))
            return false;
    return true;
}

std::vector<std::wstring> LocalDrives::FindPrinterDrives(const ModelRecord& modelRecord) {
    model_ = modelRecord;
    std::vector<std::wstring> found;
    const uint32_t mask = drives_.LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + bit)) + L":\\";
        if (drives_.DriveType(root) != kDriveRemovable)
            continue;
        std::wstring label;
        if (!drives_.VolumeLabel(root, label))
            continue;
        if (LabelMatchesModel(label, model_.name))
            found.push_back(root);
    }
    return found;
}
