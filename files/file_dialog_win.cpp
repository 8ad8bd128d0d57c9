// The item dialogs for Open and Save As, and the start-folder rule.
#include "files/file_dialog_win.h"

#include "win/seams.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_)
            p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** put() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// COM for the calling thread for as long as the dialog runs; left alone when the thread already has it.
class ComScope {
public:
    ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

std::wstring CurrentDirectory() {
    wchar_t dir[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, dir);
    return length > 0 && length < MAX_PATH ? std::wstring(dir, length) : std::wstring();
}

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// What the test build sees of a request: one line, answered from its script or by the real dialog.
std::wstring Describe(const FileDialogRequest& request) {
    return std::wstring(request.save ? L"save" : L"open") + L"|" + request.defaultName + L"|" +
           request.defaultExtension + L"|" + request.filter + L"|" + CurrentDirectory();
}

} // namespace

void PrepareFileDialogFolder() {
    const std::wstring current = CurrentDirectory();
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (current.empty() || length == 0 || length >= MAX_PATH)
        return;
    const std::wstring systemDir(system, length);
    const std::wstring systemDir32 = ReplaceAll(systemDir, L"system32", L"sysWOW64");
    if (::lstrcmpiW(current.c_str(), systemDir.c_str()) != 0 &&
        ::lstrcmpiW(current.c_str(), systemDir32.c_str()) != 0)
        return;
    LPITEMIDLIST documents = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &documents)) || !documents)
        return;
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(documents, path))
        ::SetCurrentDirectoryW(path);
    ::CoTaskMemFree(documents);
}

std::vector<FilterPair> ParseFilter(const std::wstring& filter) {
    std::vector<FilterPair> pairs;
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t bar = filter.find(L'|'); bar != std::wstring::npos; bar = filter.find(L'|', start)) {
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    if (start < filter.size())
        parts.push_back(filter.substr(start));
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break; // the closing "||"
        pairs.push_back({parts[i], parts[i + 1]});
    }
    return pairs;
}

bool ShowFileDialog(HWND owner, const FileDialogRequest& request, std::wstring& path) {
    PrepareFileDialogFolder();
    bool chosen = false;
    if (win::TestFileAnswer(Describe(request), path, chosen))
        return chosen;

    ComScope com;
    ComPtr<IFileDialog> dialog;
    const CLSID& cls = request.save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
    const IID& iid = request.save ? IID_IFileSaveDialog : IID_IFileOpenDialog;
    if (FAILED(::CoCreateInstance(cls, nullptr, CLSCTX_INPROC_SERVER, iid,
                                  reinterpret_cast<void**>(dialog.put()))))
        return false;
    const std::vector<FilterPair> pairs = ParseFilter(request.filter);
    std::vector<COMDLG_FILTERSPEC> specs;
    for (const FilterPair& pair : pairs)
        specs.push_back({pair.name.c_str(), pair.pattern.c_str()});
    if (!specs.empty())
        dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
    if (!request.defaultExtension.empty())
        dialog->SetDefaultExtension(request.defaultExtension.c_str());
    if (request.save && !request.defaultName.empty())
        dialog->SetFileName(request.defaultName.c_str());
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR;
    if (request.save && request.overwritePrompt)
        options |= FOS_OVERWRITEPROMPT;
    else
        options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_OVERWRITEPROMPT);
    if (!request.save)
        options |= FOS_FILEMUSTEXIST;
    dialog->SetOptions(options);
    // The dialog opens in the current directory, which the start-folder rule has just looked at.
    ComPtr<IShellItem> folder;
    const std::wstring current = CurrentDirectory();
    if (!current.empty() && SUCCEEDED(::SHCreateItemFromParsingName(current.c_str(), nullptr, IID_IShellItem,
                                                                    reinterpret_cast<void**>(folder.put()))))
        dialog->SetFolder(folder.get());
    if (FAILED(dialog->Show(owner)))
        return false;
    ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put())))
        return false;
    PWSTR chosenPath = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &chosenPath)) || !chosenPath)
        return false;
    path = chosenPath;
    ::CoTaskMemFree(chosenPath);
    return !path.empty();
}
