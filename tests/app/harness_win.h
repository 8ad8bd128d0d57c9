// Runs a private copy of the shipped program under Wine and reads what it reported through its test log.
#pragma once

#include "win/handles.h"

#include <functional>
#include <string>
#include <vector>

namespace harness {

// The Windows path of a folder of the Linux tree (Wine's Z: drive).
std::wstring WindowsPath(const std::string& linuxPath);
// dist/x64 as the build laid it out.
std::wstring DistDir();
// The build folder of this configuration (build/x64).
std::wstring BuildDir();
std::wstring ReadTextFile(const std::wstring& path);
// A file's bytes as they are; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
void WriteTextFile(const std::wstring& path, const std::string& text);

struct RunResult {
    bool finished = false;        // ended by itself within the time allowed
    std::vector<std::string> log; // lines of the test log, in order
    // The lines that begin with the prefix ("message|", "file|", "main|", ...), in order.
    std::vector<std::string> Lines(const std::string& prefix) const;
};

// Launched program: lets a test look at its windows and its log while it runs.
struct Running {
    DWORD processId = 0;
    HANDLE process = nullptr;
    std::wstring logPath;
    // Waits for the n-th (1-based) log line that begins with the prefix; empty on time-out.
    std::string WaitForLine(const std::string& prefix, DWORD timeoutMs = 20000, int n = 1) const;
    // The program's main dialog once it has been shown; null on time-out.
    HWND MainWindow(DWORD timeoutMs = 20000) const;
};

// A real message box of the shipped program, read from outside.
struct Box {
    HWND window = nullptr;
    std::wstring caption, text;
    bool hasCancel = false;
};
// Waits for a message box of the process (a dialog with the message text control); window null on time-out.
Box WaitForBox(const Running& running, DWORD timeoutMs = 30000);
// Presses a button of the box and waits until it has gone.
void Press(const Box& box, int buttonId);
// Waits for a top-level window of the process with this caption; null on time-out.
HWND WaitForCaption(const Running& running, const std::wstring& caption, DWORD timeoutMs = 20000);

// A token of this process's user without the Administrators group (denied), for runs as a plain user.
win::Handle RestrictedToken();

// The English language library as this process's resource module, for tests of dialogs in this process.
class EnglishResources {
public:
    EnglishResources();
    ~EnglishResources();
    EnglishResources(const EnglishResources&) = delete;
    EnglishResources& operator=(const EnglishResources&) = delete;
    bool Loaded() const { return static_cast<bool>(library_); }
    HMODULE get() const { return library_.get(); }

private:
    win::Module library_;
};

// Closes the main dialog as Exit does once the program has shown it.
void CloseMainWindow(const Running& running);

// A control anywhere inside a window (the main dialog's page included), by id.
HWND Descendant(HWND window, int id);
int ComboSelection(HWND window, int id);
std::wstring ComboText(HWND window, int id);
std::vector<std::wstring> ComboEntries(HWND window, int id);
// Selects an entry as the user would (selection, then the change notification to the list's parent).
void SelectCombo(HWND window, int id, int index);
// Posts a command to the main dialog as a menu choice or a button click would.
void PostCommand(HWND mainWindow, int id);

// Which program a copy holds: the test build (message boxes recorded in the test log and answered from
// LXDEVSET_TEST_ANSWERS) or the shipped program (real message boxes, answered from outside).
enum class Build { kTest, kShipped };

// A fresh folder with lxdevset.exe, lxdevset.ini, res\ and lxportio from dist; removed at the end.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& tag, Build build = Build::kTest);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& dir() const { return dir_; }
    std::wstring exe() const { return dir_ + L"\\lxdevset.exe"; }
    std::wstring ini() const { return dir_ + L"\\lxdevset.ini"; }

    std::wstring dirPath(const std::wstring& name) const { return dir_ + L"\\" + name; }
    // An environment variable for the next runs (LXDEVSET_TEST_ANSWERS, LXDEVSET_TEST_FILES, ...).
    void SetVariable(const std::wstring& name, const std::wstring& value);
    // The current folder of the next runs (the program's folder unless set).
    void SetWorkingFolder(const std::wstring& folder) { workingFolder_ = folder; }

    // Runs "<exe>" <tail> with the test log on (unless logged is false); `during` runs while it runs.
    RunResult Run(const std::wstring& tail, const std::function<void(const Running&)>& during = {},
                  bool logged = true, HANDLE token = nullptr);

private:
    std::wstring dir_;
    std::wstring logPath_;
    std::vector<std::pair<std::wstring, std::wstring>> variables_;
    std::wstring workingFolder_;
};

// Top-level windows of a process with the given class (e.g. L"#32770"), waiting up to timeoutMs for one.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);
std::wstring WindowText(HWND window);

} // namespace harness
