// The whole program under Wine in each language: selection dialog, main window, start-up warning, result and
// stop messages in the library's texts, Arabic mirrored with right-to-left boxes; incomplete libraries.
#include "core/resource.h"
#include "tests/app/harness_win.h"
#include "win/text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using harness::ProgramCopy;
using harness::Running;
using testing::ElementsAre;

namespace {

const char kModels[] = "[Property]\r\nCompatibleModel=Korvale LX-410,Korvale LX-450W\r\n"
                       "[Korvale LX-410]\r\nSeriesCode=104\r\nModelCode=48\r\n"
                       "[Korvale LX-450W]\r\nSeriesCode=104\r\nModelCode=50\r\n";

// Only a default: the user's locale (English here) has no key, so the default decides.
void ChooseLanguage(const ProgramCopy& copy, const std::string& code) {
    harness::WriteTextFile(copy.ini(), std::string(kModels) + "[LangString]\r\ndefault=" + code + "\r\n");
}

std::string Utf8(const std::wstring& text) {
    return win::ToMultiByte(CP_UTF8, text);
}

// A string of a library as the test log writes it: UTF-8, line breaks as \n.
std::string Logged(HMODULE library, UINT id) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
    std::string out;
    for (char c : Utf8(length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring()))
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

std::string Style(UINT style) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", style);
    return hex;
}

bool Mirrored(HWND window) {
    return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

} // namespace

TEST(Languages, EachLanguageShowsItsTextsAndArabicRunsRightToLeft) {
    for (const char* code : {"DEU", "FRA", "JPN", "ARE"}) {
        SCOPED_TRACE(code);
        const bool rtl = std::string(code) == "ARE";
        const UINT direction = rtl ? (MB_RTLREADING | MB_RIGHT) : 0;
        ProgramCopy copy(L"lang" + win::FromMultiByte(CP_UTF8, code));
        ChooseLanguage(copy, code);
        win::Module library(::LoadLibraryExW(
            (copy.dir() + L"\\res\\lxdevset_" + win::FromMultiByte(CP_UTF8, code) + L".dll").c_str(), nullptr,
            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(library);
        const std::string title = Logged(library.get(), IDS_APP_TITLE);

        // The selection dialog.
        std::string caption, label;
        bool selectMirrored = false;
        copy.Run(L"", [&](const Running& running) {
            HWND dialog = harness::WaitForWindow(running.processId, L"#32770", 10000);
            ASSERT_NE(dialog, nullptr);
            caption = Utf8(harness::WindowText(dialog));
            label = Utf8(harness::WindowText(::GetDlgItem(dialog, IDC_SELECT_LABEL)));
            selectMirrored = Mirrored(dialog);
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        EXPECT_EQ(caption, title);
        EXPECT_NE(label, "&Select a printer:");
        EXPECT_EQ(selectMirrored, rtl);

        // The main window on a parallel port: the start-up warning, then a refused report with its
        // confirmation.
        std::string current;
        bool mainMirrored = false;
        auto run = copy.Run(L"Parallel LX-410", [&](const Running& running) {
            HWND main = running.MainWindow();
            ASSERT_NE(main, nullptr);
            caption = Utf8(harness::WindowText(main));
            current = Utf8(harness::WindowText(harness::Descendant(main, IDC_CURRENT_SETTINGS)));
            mainMirrored = Mirrored(main) && Mirrored(harness::Descendant(main, IDC_POWER_ON));
            harness::PostCommand(main, ID_TOOLS_PRINT_INFORMATION);
            running.WaitForLine("message|", 10000, 3);
            harness::CloseMainWindow(running);
        });
        EXPECT_EQ(caption, title);
        EXPECT_NE(current, "&Current Settings");
        EXPECT_EQ(mainMirrored, rtl);
        const std::string box = "message|";
        EXPECT_THAT(run.Lines(box), ElementsAre(box + Style(MB_ICONWARNING | direction) + "|" + title + "|" +
                                                    Logged(library.get(), IDS_STARTUP_NOT_USB) + "\\n" +
                                                    Logged(library.get(), IDS_STARTUP_USE_DEFAULTS),
                                                box + Style(MB_OKCANCEL | direction) + "|" + title + "|" +
                                                    Logged(library.get(), IDS_CONFIRM_REPORT),
                                                box + Style(MB_ICONERROR | direction) + "|" + title + "|" +
                                                    Logged(library.get(), IDS_NOT_USB_PORT)));

        // A start-up stop: right to left because the language code is ARE.
        EXPECT_THAT(copy.Run(L"No Such Printer").log,
                    ElementsAre(box + Style(MB_ICONERROR | direction) + "|Error|" +
                                Logged(library.get(), IDS_PRINTER_NOT_FOUND)));
    }
}

namespace {
// Gives a resource of a mapped image another id, so that lookups of its own id find nothing.
bool HideResource(BYTE* image, WORD type, WORD id) {
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(image);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (rva < section->VirtualAddress || rva >= section->VirtualAddress + section->Misc.VirtualSize)
            continue;
        BYTE* root = image + section->PointerToRawData + (rva - section->VirtualAddress);
        const auto entries = [](BYTE* directory) {
            auto* d = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY*>(directory);
            return std::make_pair(reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(d + 1),
                                  d->NumberOfNamedEntries + d->NumberOfIdEntries);
        };
        auto [types, typeCount] = entries(root);
        for (int t = 0; t < typeCount; ++t) {
            if (types[t].NameIsString || types[t].Id != type)
                continue;
            auto [names, nameCount] = entries(root + types[t].OffsetToDirectory);
            for (int n = 0; n < nameCount; ++n)
                if (!names[n].NameIsString && names[n].Id == id) {
                    names[n].Id = 0x7FFF;
                    return true;
                }
        }
    }
    return false;
}

// A copy of the English library under another code with resources hidden.
void IncompleteLibrary(const ProgramCopy& copy, const wchar_t* code,
                       const std::vector<std::pair<WORD, WORD>>& hidden) {
    const std::wstring path = copy.dir() + L"\\res\\lxdevset_" + code + L".dll";
    std::string bytes;
    win::FileHandle in(::CreateFileW((copy.dir() + L"\\res\\lxdevset_ENU.dll").c_str(), GENERIC_READ,
                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(in);
    bytes.resize(::GetFileSize(in.get(), nullptr));
    DWORD done = 0;
    ::ReadFile(in.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr);
    for (const auto& [type, id] : hidden)
        ASSERT_TRUE(HideResource(reinterpret_cast<BYTE*>(&bytes[0]), type, id)) << type << " " << id;
    win::FileHandle out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}
} // namespace

TEST(Languages, AnIncompleteLibraryFallsBackOrIsRefusedNeverBlank) {
    ProgramCopy copy(L"incomplete");
    // Without the settings page the main window would be empty: the library counts as missing.
    IncompleteLibrary(copy, L"NOPAGE", {{5 /* RT_DIALOG */, IDD_TAB_BASIC}});
    ChooseLanguage(copy, "NOPAGE");
    EXPECT_THAT(copy.Run(L"Korvale LX-410").log,
                ElementsAre("message|00000010|Error|Resource file is not found."));

    // Without the main template (so without the split button) and the strings 5008 to 5023: the program's own
    // template, the plain Apply button for the wireless model too, and an empty line where a string is
    // missing.
    const WORD dialog = 5, strings = 6; // RT_DIALOG, RT_STRING; a string block holds sixteen ids
    IncompleteLibrary(copy, L"PARTIAL", {{dialog, IDD_MAIN}, {strings, IDS_GET_FAILED / 16 + 1}});
    ChooseLanguage(copy, "PARTIAL");
    bool applyShown = false, splitThere = true;
    copy.Run(L"Warehouse LX-450W", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        applyShown = ::IsWindowVisible(harness::Descendant(main, IDC_APPLY)) != FALSE;
        splitThere = harness::Descendant(main, IDC_SPLIT_APPLY) != nullptr;
        harness::CloseMainWindow(running);
    });
    EXPECT_TRUE(applyShown);
    EXPECT_FALSE(splitThere);
    EXPECT_THAT(
        copy.Run(L"Parallel LX-410", harness::CloseMainWindow).Lines("message|"),
        ElementsAre(
            "message|00000030|Device settings|\\nThe parameters will be set to their default settings."));
}
