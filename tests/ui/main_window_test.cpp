// The whole program under Wine against the simulator, driven from outside: reading at start-up, applying,
// switching models, the start-up warnings, and a real file dialog.
#include "comm/services_win.h"
#include "core/resource.h"
#include "files/print_log_csv.h"
#include "files/print_log_file_win.h"
#include "items/basic_items.h"
#include "sim/print_log.h"
#include "tests/app/harness_win.h"
#include "tests/support/item_fakes.h"
#include "tests/support/sim_fixture_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using harness::ProgramCopy;
using harness::Running;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

const ModelRecord kLx410{L"Korvale LX-410", 104, 48, L"lx-410", 1};

// The warning style of the start-up message and the error and information styles of results.
const char kWarning[] = "message|00000030|Device settings|";
const char kError[] = "message|00000010|Device settings|";
const char kInfo[] = "message|00000040|Device settings|";

class MainWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simfixture::Connect()) << "no simulator fixture"; }

    // Puts values into the simulated printer through the real link, as another program would.
    void PrinterHolds(int powerOn, int autoOffAc, int printInfo, int calibration) {
        std::vector<FakeCombo> combos{FakeCombo(powerOn), FakeCombo(autoOffAc), FakeCombo(printInfo),
                                      FakeCombo(calibration)};
        const SettingItems items =
            PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, platform);
        CommServices services = Win32CommServices();
        services.clock = &clock;
        ASSERT_EQ(CApplyTransaction(items, services).Run(L"Label Desk LX-410", kLx410), 6502);
    }

    static std::vector<int> Selections(HWND main) {
        std::vector<int> selections;
        for (int id : {IDC_POWER_ON, IDC_AUTO_OFF_AC, IDC_AUTO_OFF_BATTERY, IDC_PRINT_INFO, IDC_CALIBRATION})
            selections.push_back(harness::ComboSelection(main, id));
        return selections;
    }

    FastClock clock{10};
    FakeItemPlatform platform;
};

struct Layout {
    bool applyShown, splitShown, powerOnShown, batteryShown;
    std::vector<RECT> rects;
    bool operator==(const Layout& o) const {
        if (applyShown != o.applyShown || splitShown != o.splitShown || rects.size() != o.rects.size())
            return false;
        for (size_t i = 0; i < rects.size(); ++i)
            if (!::EqualRect(&rects[i], &o.rects[i]))
                return false;
        return true;
    }
};

Layout ReadLayout(HWND main) {
    Layout layout{};
    auto shown = [&](int id) { return ::IsWindowVisible(harness::Descendant(main, id)) != FALSE; };
    layout.applyShown = shown(IDC_APPLY);
    layout.splitShown = shown(IDC_SPLIT_APPLY);
    layout.powerOnShown = shown(IDC_POWER_ON);
    layout.batteryShown = shown(IDC_AUTO_OFF_BATTERY);
    for (int id : {IDC_POWER_FRAME, IDC_POWER_ON, IDC_AUTO_OFF_AC, IDC_AUTO_OFF_BATTERY, IDC_PRINT_INFO,
                   IDC_CALIBRATION, IDC_SEND_CALIBRATION, IDC_REPORT_NOTE, IDC_CALIBRATION_NOTE}) {
        RECT rect{};
        ::GetWindowRect(harness::Descendant(main, id), &rect);
        layout.rects.push_back(rect);
    }
    return layout;
}

} // namespace

TEST_F(MainWindow, OpensWithThePrintersValuesAndAppliesChangesVerifiedAndRemembered) {
    PrinterHolds(0, 8, 2, 1);
    ProgramCopy copy(L"apply");
    std::vector<int> opened, afterApply;
    auto run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        opened = Selections(main);
        harness::SelectCombo(main, IDC_AUTO_OFF_AC, 3);
        harness::SelectCombo(main, IDC_CALIBRATION, 5);
        harness::PostCommand(main, IDC_APPLY);
        running.WaitForLine("message|");
        afterApply = Selections(main);
        harness::CloseMainWindow(running);
    });
    // Power-on "Enable" is index 0; the battery row is disabled for this model but still filled.
    EXPECT_THAT(opened, ElementsAre(0, 8, 3, 2, 1));
    EXPECT_THAT(run.Lines("message|"), ElementsAre(std::string(kInfo) + "The settings are specified."));
    EXPECT_THAT(afterApply, ElementsAre(0, 3, 3, 2, 5));
    EXPECT_EQ(simfixture::StateValue("USB030", "AutoOffAc"), 3);
    EXPECT_EQ(simfixture::StateValue("USB030", "Calibration"), 80);
    const std::wstring last = harness::ReadTextFile(copy.dirPath(L"lxdevset_Korvale LX-410.ini"));
    EXPECT_THAT(last, HasSubstr(L"AutoOffAc=3"));
    EXPECT_THAT(last, HasSubstr(L"Calibration=5"));
    EXPECT_THAT(last, HasSubstr(L"AdminPassword="));
}

TEST_F(MainWindow, AValueThePrinterDoesNotTakeGives5014AndKeepsTheUsersChoice) {
    ProgramCopy copy(L"nolatch");
    int shown = -1;
    auto run = copy.Run(L"Stubborn LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        const int other = harness::ComboSelection(main, IDC_AUTO_OFF_AC) == 5 ? 4 : 5;
        harness::SelectCombo(main, IDC_AUTO_OFF_AC, other);
        harness::PostCommand(main, IDC_APPLY);
        running.WaitForLine("message|");
        shown = harness::ComboSelection(main, IDC_AUTO_OFF_AC) == other ? other : -1;
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(run.Lines("message|"),
                ElementsAre(std::string(kError) +
                            "The settings may not have been set correctly.\\nTry setting them again."));
    EXPECT_NE(shown, -1);
    EXPECT_EQ(::GetFileAttributesW(copy.dirPath(L"lxdevset_Korvale LX-410.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindow, SwitchingModelsRearrangesRowsSwapsButtonsAndRestoresIdenticalRectangles) {
    ProgramCopy copy(L"switch");
    std::vector<Layout> layouts;
    auto run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        layouts.push_back(ReadLayout(main));
        const std::vector<std::wstring> printers = harness::ComboEntries(main, IDC_PRINTER_LIST);
        const auto index = [&](const wchar_t* name) {
            return static_cast<int>(std::find(printers.begin(), printers.end(), name) - printers.begin());
        };
        for (const wchar_t* printer :
             {L"Wireless Desk LX-450W", L"Label Desk LX-410", L"Wireless Desk LX-450W"}) {
            harness::SelectCombo(main, IDC_PRINTER_LIST, index(printer));
            layouts.push_back(ReadLayout(main));
        }
        harness::CloseMainWindow(running);
    });
    ASSERT_EQ(layouts.size(), 4u);
    EXPECT_TRUE(layouts[0].applyShown && !layouts[0].splitShown && layouts[0].powerOnShown &&
                !layouts[0].batteryShown);
    EXPECT_TRUE(!layouts[1].applyShown && layouts[1].splitShown && !layouts[1].powerOnShown &&
                layouts[1].batteryShown);
    EXPECT_TRUE(layouts[0] == layouts[2]);
    EXPECT_TRUE(layouts[1] == layouts[3]);
    EXPECT_FALSE(layouts[0] == layouts[1]);
    // The File menu: the command-file item appears once for the wireless model and goes again.
    const std::string plain = "file-menu|32781,32773,32774,0,32775";
    const std::string wireless = "file-menu|32781,32785,32773,32774,0,32775";
    // The page is laid out once at start-up, for the printer's own model.
    EXPECT_THAT(run.Lines("file-menu|"), ElementsAre(plain, wireless, plain, wireless));
}

TEST_F(MainWindow, StartupWarningsSayWhyAndWhatTheListsShow) {
    ProgramCopy copy(L"startup");
    const std::string failed = std::string(kWarning) + "Failed to acquire the current settings.\\n";
    const std::string defaults = "The parameters will be set to their default settings.";
    const std::string previous = "The parameters will be set to the previously specified settings.";

    // A printer on a parallel port: the port message; no last-settings file: the defaults.
    auto run = copy.Run(L"Parallel LX-410", harness::CloseMainWindow);
    EXPECT_THAT(
        run.Lines("message|"),
        ElementsAre(std::string(kWarning) +
                    "Failed to retrieve the current settings since the printer port is not a USB port.\\n" +
                    defaults));

    // A printer that never answers, with a last-settings file: its values are shown.
    harness::WriteTextFile(copy.dirPath(L"lxdevset_Korvale LX-410.ini"),
                           "[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\n"
                           "Tab_1=0\r\n[Settings]\r\nAutoOffAc=9\r\n");
    int shown = -1;
    run = copy.Run(L"Silent LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        shown = harness::ComboSelection(main, IDC_AUTO_OFF_AC);
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(run.Lines("message|"), ElementsAre(failed + previous));
    EXPECT_EQ(shown, 9);

    // An unreadable last-settings file (another model's): the second warning.
    harness::WriteTextFile(copy.dirPath(L"lxdevset_Korvale LX-410.ini"),
                           "[Property]\r\nDriverName=Other\r\n");
    run = copy.Run(L"Unplugged LX-410", harness::CloseMainWindow);
    EXPECT_THAT(
        run.Lines("message|"),
        ElementsAre(failed + previous, std::string(kWarning) +
                                           "The file where the previously specified settings have been "
                                           "saved cannot be read.\\n" +
                                           defaults));

    // Told not to: no message, and the file is still imported.
    harness::WriteTextFile(copy.dirPath(L"lxdevset_Korvale LX-410.ini"),
                           "[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\n"
                           "Tab_1=0\r\n[Settings]\r\nAutoOffAc=10\r\n");
    const std::wstring ini = harness::ReadTextFile(copy.ini());
    ::WritePrivateProfileStringW(L"Property", L"NoDisplayStartupError", L"1", copy.ini().c_str());
    copy.SetVariable(L"LXPORTIO_SIMULATOR", L"127.0.0.1:1");
    run = copy.Run(L"Korvale LX-410", [&](const Running& running) {
        shown = harness::ComboSelection(running.MainWindow(), IDC_AUTO_OFF_AC);
        harness::CloseMainWindow(running);
    });
    EXPECT_TRUE(run.Lines("message|").empty());
    EXPECT_EQ(shown, 10);

    // A printer attached as a removable drive that names its model: a third paragraph says what to do.
    harness::WriteTextFile(copy.ini(),
                           "[Property]\r\nCompatibleModel=Korvale LX-TEST\r\n[Korvale LX-TEST]\r\n"
                           "SeriesCode=104\r\nModelCode=49\r\n[LangString]\r\ndefault=ENU\r\n");
    run = copy.Run(L"Beta", harness::CloseMainWindow);
    EXPECT_THAT(
        run.Lines("message|"),
        ElementsAre(failed + defaults +
                    "\\n\\nIf the printer is connected as a removable drive (mass storage mode), switch it "
                    "back to printer mode."));
}

TEST_F(MainWindow, TheChosenPrinterIsTheTargetAndCurrentSettingsReadsItAgain) {
    PrinterHolds(0, 8, 2, 1);
    ProgramCopy copy(L"target");
    const int before = simfixture::StateValue("USB030", "statusRequests");
    std::wstring afterRefresh;
    auto run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        const std::vector<std::wstring> printers = harness::ComboEntries(main, IDC_PRINTER_LIST);
        const auto select = [&](const wchar_t* name) {
            const auto at = std::find(printers.begin(), printers.end(), name);
            ASSERT_NE(at, printers.end()) << "no " << std::string(name, name + wcslen(name));
            harness::SelectCombo(main, IDC_PRINTER_LIST, static_cast<int>(at - printers.begin()));
        };
        // Another printer of the same model (whose device is another model): the next reading goes to it.
        select(L"Other Model LX-410");
        harness::PostCommand(main, IDC_CURRENT_SETTINGS);
        running.WaitForLine("message|");
        // The list filled again as it drops down keeps the printer chosen.
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_PRINTER_LIST, CBN_DROPDOWN),
                       reinterpret_cast<LPARAM>(harness::Descendant(main, IDC_PRINTER_LIST)));
        afterRefresh = harness::WindowText(harness::Descendant(main, IDC_PRINTER_LIST));
        select(L"Label Desk LX-410");
        harness::PostCommand(main, IDC_CURRENT_SETTINGS);
        running.WaitForLine("message|", 20000, 2);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(afterRefresh, L"Other Model LX-410");
    EXPECT_THAT(run.Lines("message|"),
                ElementsAre(std::string(kError) + "The wrong model is connected. ",
                            std::string(kInfo) + "The current values were retrieved."));
    EXPECT_EQ(simfixture::StateValue("USB030", "statusRequests"), before + 2) << "at start-up and when asked";

    // An import the file cannot give (no Tab_1): its own message, and the lists stay as they were.
    const std::wstring file = copy.dirPath(L"no-tab.dat");
    harness::WriteTextFile(file,
                           "[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[Settings]\r\n"
                           "AutoOffAc=2\r\n");
    copy.SetVariable(L"LXDEVSET_TEST_FILES", file);
    int shown = -1;
    run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        harness::PostCommand(main, ID_FILE_IMPORT);
        running.WaitForLine("message|");
        shown = harness::ComboSelection(main, IDC_AUTO_OFF_AC);
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(run.Lines("message|"),
                ElementsAre(std::string(kError) +
                            "The settings cannot be imported since they cannot be read from the file."));
    EXPECT_EQ(shown, 8);
}

TEST_F(MainWindow, ExportThroughTheRealSaveDialogWritesTheExactLines) {
    PrinterHolds(1, 6, 0, 3);
    ProgramCopy copy(L"export");
    const std::wstring target = copy.dirPath(L"exported.dat");
    auto run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        harness::SelectCombo(main, IDC_POWER_ON, 0);
        harness::PostCommand(main, ID_FILE_EXPORT);
        // The item dialog: its file name edit, then OK.
        HWND dialog = nullptr;
        for (int i = 0; i < 200 && !dialog; ++i, ::Sleep(50)) {
            HWND candidate = harness::WaitForWindow(running.processId, L"#32770", 50);
            if (candidate && candidate != main && harness::WindowText(candidate) == L"Save")
                dialog = candidate;
        }
        ASSERT_NE(dialog, nullptr);
        HWND edit = harness::Descendant(dialog, 1152);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(harness::WindowText(edit), L"lx-410ut");
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && ::IsWindow(dialog); ++i)
            ::Sleep(50);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(harness::ReadTextFile(target),
              L"[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\nTab_1=0\r\n"
              L"[Settings]\r\nPowerOn=0\r\nAutoOffAc=6\r\nPrintInfo=0\r\nCalibration=3\r\n");
    EXPECT_TRUE(run.Lines("message|").empty());
    // What was exported is also the model's last settings.
    EXPECT_THAT(harness::ReadTextFile(copy.dirPath(L"lxdevset_Korvale LX-410.ini")),
                HasSubstr(L"PowerOn=0\r\n"));
}

TEST_F(MainWindow, AboutShowsTheSameVersionLinesFromTheHelpMenuAndTheSystemMenu) {
    ProgramCopy copy(L"about");
    std::vector<std::wstring> seen;
    copy.Run(L"Parallel LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        for (int way = 0; way < 2; ++way) {
            if (way == 0)
                harness::PostCommand(main, ID_HELP_ABOUT);
            else
                ::PostMessageW(main, WM_SYSCOMMAND, 16, 0);
            HWND about = nullptr;
            for (int i = 0; i < 200 && !about; ++i, ::Sleep(20))
                about = ::FindWindowW(L"#32770", L"Version Information");
            ASSERT_NE(about, nullptr);
            // The box exists before its initialisation has filled the lines: shown means filled.
            for (int i = 0; i < 250 && !::IsWindowVisible(about); ++i)
                ::Sleep(20);
            seen.push_back(harness::WindowText(::GetDlgItem(about, 1134)) + L"|" +
                           harness::WindowText(::GetDlgItem(about, 1135)));
            ::PostMessageW(about, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && ::IsWindow(about); ++i)
                ::Sleep(20);
        }
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(seen, ElementsAre(L"Version 1.1.0|Copyright (C) 2014 Korvale Industries, Ltd.",
                                  L"Version 1.1.0|Copyright (C) 2014 Korvale Industries, Ltd."));
}

namespace {
int Counter(const char* port, const char* key) {
    return simfixture::StateValue(port, key);
}
const char kConfirm[] = "message|00000001|Device settings|";
} // namespace

TEST_F(MainWindow, DeletingForRealAsksFirstKeepsTheProgressOpenWhileThePrinterWorksAndSaysSo) {
    const int before = Counter("USB030", "templateDeletions");
    ProgramCopy copy(L"delete", harness::Build::kShipped);
    harness::Box confirm, done;
    DWORD progressMs = 0;
    copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        harness::PostCommand(main, ID_TOOLS_DELETE_TEMPLATES);
        confirm = harness::WaitForBox(running);
        harness::Press(confirm, IDOK);
        HWND progress = harness::WaitForCaption(running, L"Progress", 5000);
        const DWORD start = ::GetTickCount();
        while (progress && ::IsWindow(progress) && ::IsWindowVisible(progress) &&
               ::GetTickCount() - start < 30000)
            ::Sleep(20);
        progressMs = ::GetTickCount() - start;
        done = harness::WaitForBox(running);
        harness::Press(done, IDOK);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(
        confirm.text,
        L"All database contents and templates saved on the printer will be deleted.\n\nOK to continue?");
    EXPECT_TRUE(confirm.hasCancel);
    EXPECT_GE(progressMs, 15500u);
    EXPECT_EQ(done.caption, L"Device settings");
    EXPECT_EQ(done.text, L"The data was deleted.");
    EXPECT_EQ(Counter("USB030", "templateDeletions"), before + 1);
}

TEST_F(MainWindow, ResetForRealShowsTheValuesReadAfterThePrinterCameBack) {
    PrinterHolds(0, 9, 1, 0);
    const int before = Counter("USB030", "resets");
    ProgramCopy copy(L"reset", harness::Build::kShipped);
    harness::Box confirm, done;
    std::vector<int> opened, afterReset;
    std::wstring caption;
    copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        opened = Selections(main);
        harness::PostCommand(main, ID_TOOLS_RESET);
        confirm = harness::WaitForBox(running);
        harness::Press(confirm, IDOK);
        HWND progress = harness::WaitForCaption(running, L"Progress", 5000);
        caption = harness::WindowText(::GetDlgItem(progress, IDC_PROGRESS_CAPTION));
        done = harness::WaitForBox(running, 40000);
        afterReset = Selections(main);
        harness::Press(done, IDOK);
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(opened, ElementsAre(0, 9, 3, 1, 0));
    EXPECT_EQ(confirm.text.substr(0, 42), L"Printer settings, including the network se");
    EXPECT_EQ(caption, L"Resetting the printer...");
    EXPECT_EQ(done.text, L"The printer will return to its factory default condition.");
    EXPECT_THAT(afterReset, ElementsAre(1, 6, 3, 0, 3));
    EXPECT_EQ(Counter("USB030", "resets"), before + 1);
}

TEST_F(MainWindow, MaintenanceCommandsAskSendOnceOrNothingAndReportEachOutcome) {
    const int reports = Counter("USB030", "reports"), logs = Counter("USB030", "logDeletions");
    const int templates = Counter("USB030", "templateDeletions"), resets = Counter("USB030", "resets");
    ProgramCopy copy(L"maintenance");
    copy.SetVariable(L"LXDEVSET_TEST_PAUSE_DIVISOR", L"40");
    // Cancel each of the four, then confirm the report and the log deletion.
    copy.SetVariable(L"LXDEVSET_TEST_ANSWERS", L"2,2,2,2,1,1,1,1");
    auto run = copy.Run(L"Label Desk LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        int boxes = 0;
        // Each through the real Tools menu, as the keyboard opens it: Alt+T, then the item's access key.
        for (wchar_t key : {L'p', L'r', L'd', L'l'}) {
            ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L't');
            HWND popup = harness::WaitForWindow(running.processId, L"#32768", 5000);
            ASSERT_NE(popup, nullptr);
            ::PostMessageW(popup, WM_CHAR, key, 0);
            running.WaitForLine("message|", 10000, ++boxes);
        }
        harness::PostCommand(main, ID_TOOLS_PRINT_INFORMATION);
        running.WaitForLine("message|", 10000, boxes += 2);
        harness::PostCommand(main, ID_TOOLS_DELETE_PRINT_LOG);
        running.WaitForLine("message|", 10000, boxes += 2);
        harness::CloseMainWindow(running);
    });
    const std::string infoDone = std::string(kInfo);
    EXPECT_THAT(
        run.Lines("message|"),
        ElementsAre(
            std::string(kConfirm) + "The printer information will be printed.\\n\\nOK to continue?",
            std::string(kConfirm) + "Printer settings, including the network settings, will return to "
                                    "the factory defaults.\\n\\nOK to continue?",
            std::string(kConfirm) + "All database contents and templates saved on the printer will be "
                                    "deleted.\\n\\nOK to continue?",
            std::string(kConfirm) +
                "All print logs saved on the printer will be deleted.\\n\\nOK to continue?",
            HasSubstr(kConfirm), infoDone + "The command has been sent.",
            std::string(kConfirm) +
                "All print logs saved on the printer will be deleted.\\n\\nOK to continue?",
            infoDone + "The data was deleted."));
    // The report runs without a progress dialog; the deletion behind one.
    EXPECT_THAT(run.Lines("progress|"),
                ElementsAre("progress|Retrieving current setting...", "progress|Deleting data..."));
    EXPECT_EQ(Counter("USB030", "reports"), reports + 1);
    EXPECT_EQ(Counter("USB030", "logDeletions"), logs + 1);
    EXPECT_EQ(Counter("USB030", "templateDeletions"), templates);
    EXPECT_EQ(Counter("USB030", "resets"), resets);
}

TEST_F(MainWindow, WrongModelAndParallelPortAreRefusedWithoutSendingTheCommand) {
    const int deletions = Counter("USB033", "templateDeletions");
    ProgramCopy copy(L"refused");
    copy.SetVariable(L"LXDEVSET_TEST_PAUSE_DIVISOR", L"40");
    auto run = copy.Run(L"Other Model LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        harness::PostCommand(main, ID_TOOLS_DELETE_TEMPLATES);
        running.WaitForLine("message|", 10000, 3);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(run.Lines("message|").back(), std::string(kError) + "The wrong model is connected. ");
    EXPECT_EQ(Counter("USB033", "templateDeletions"), deletions);

    run = copy.Run(L"Parallel LX-410", [&](const Running& running) {
        HWND main = running.MainWindow();
        harness::PostCommand(main, ID_TOOLS_PRINT_INFORMATION);
        running.WaitForLine("message|", 10000, 3);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(run.Lines("message|").back(),
              std::string(kError) +
                  "Since the printer port is not a USB port, this function is not available.\\n"
                  "Specify the printer installed in USB connection.");
    EXPECT_THAT(run.Lines("progress|"), ElementsAre("progress|Retrieving current setting..."));
}

TEST_F(MainWindow, CommandFileFromTheSplitButtonMenuTakesTheNameTheRealDialogOffers) {
    ProgramCopy copy(L"commandfile");
    copy.SetVariable(L"LXDEVSET_TEST_PAUSE_DIVISOR", L"40");
    std::wstring offered;
    auto run = copy.Run(L"Wireless Desk LX-450W", [&](const Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        // The split button of the real window: its arrow strip opens the menu, whose item reaches the dialog.
        HWND split = harness::Descendant(main, IDC_SPLIT_APPLY);
        RECT face{};
        ::GetClientRect(split, &face);
        ::PostMessageW(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(face.right - 3, face.bottom / 2));
        HWND popup = harness::WaitForWindow(running.processId, L"#32768", 5000);
        ASSERT_NE(popup, nullptr);
        ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        HWND dialog = harness::WaitForCaption(running, L"Save", 10000);
        ASSERT_NE(dialog, nullptr);
        offered = harness::WindowText(harness::Descendant(dialog, 1152));
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && ::IsWindow(dialog); ++i)
            ::Sleep(50);
        // Its face applies, on the press.
        ::PostMessageW(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, face.bottom / 2));
        running.WaitForLine("message|");
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(offered, L"lx-450wut");
    EXPECT_THAT(run.Lines("message|"), ElementsAre(std::string(kInfo) + "The settings are specified."));
    const std::wstring file = harness::ReadTextFile(copy.dirPath(L"lx-450wut.bin"));
    // Lead-in and header, then the AC, battery and report commands; calibration counts in the total only.
    ASSERT_EQ(file.size(), 40u);
    EXPECT_EQ(file[12], static_cast<wchar_t>(25));
    EXPECT_THAT(harness::ReadTextFile(copy.dirPath(L"lxdevset_Korvale LX-450W.ini")),
                HasSubstr(L"AutoOffBattery=3"));
    // The same from the File menu, as the keyboard reaches it: Alt+F, down to the second item, Enter.
    const std::wstring viaMenu = copy.dirPath(L"via-menu.bin");
    copy.SetVariable(L"LXDEVSET_TEST_FILES", viaMenu);
    copy.Run(L"Wireless Desk LX-450W", [&](const Running& running) {
        HWND main = running.MainWindow();
        ::PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, L'f');
        HWND popup = harness::WaitForWindow(running.processId, L"#32768", 5000);
        ASSERT_NE(popup, nullptr);
        ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        for (int i = 0; i < 100 && ::GetFileAttributesW(viaMenu.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            ::Sleep(50);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(harness::ReadTextFile(viaMenu), file);
}

namespace {
// The CSV the program must write for the simulator's first n seeded records, by this machine's time zone.
std::string ExpectedCsv(uint32_t n) {
    std::vector<printlog::Record> records;
    for (uint32_t i = 0; i < n; ++i) {
        const sim::LogRecord r = sim::SeededLogRecord(i);
        records.push_back({r.sequence, r.time, r.labels, r.width, r.length, r.templateNumber, r.status});
    }
    std::string bytes;
    EXPECT_TRUE(printlog::BuildPrintLogCsv(records, &SystemUtcOffset, bytes));
    return bytes;
}

// Files of a folder whose names begin with the prefix.
int CountFiles(const std::wstring& folder, const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    win::FindHandle search(::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
    int count = 0;
    if (search)
        do
            ++count;
        while (::FindNextFileW(search.get(), &found));
    return count;
}
} // namespace

TEST_F(MainWindow, PrintLogSavedWholeOrNotAtAll) {
    ProgramCopy copy(L"printlog");
    copy.SetVariable(L"LXDEVSET_TEST_PAUSE_DIVISOR", L"40");
    const std::wstring whole = copy.dirPath(L"log.csv"), kept = copy.dirPath(L"kept.csv");
    const auto save = [&](const wchar_t* printer, const std::wstring& target) {
        copy.SetVariable(L"LXDEVSET_TEST_FILES", target);
        return copy.Run(printer, [](const Running& running) {
            HWND main = running.MainWindow();
            harness::PostCommand(main, ID_TOOLS_SAVE_PRINT_LOG);
            running.WaitForLine("message|", 20000, running.WaitForLine("message|", 100).empty() ? 1 : 2);
            harness::CloseMainWindow(running);
        });
    };
    // 300 records, exactly as the printer keeps them; the dialog offers <ModelID>ut.
    auto run = save(L"Logbook LX-410", whole);
    EXPECT_THAT(run.Lines("file|"), ElementsAre(HasSubstr("file|save|lx-410ut|csv|CSV Files (*.csv)|")));
    EXPECT_THAT(run.Lines("progress|").back(), "progress|Retrieving data...");
    EXPECT_EQ(run.Lines("message|").back(), std::string(kInfo) + "The file was created.");
    EXPECT_EQ(harness::ReadBytes(whole), ExpectedCsv(300));
    // An empty log: the header line alone.
    run = save(L"Label Desk LX-410", whole);
    EXPECT_EQ(harness::ReadBytes(whole), ExpectedCsv(0));
    // A printer that hangs up in the middle, another model, a folder that does not exist: the earlier file as
    // it was and no temporary file left.
    harness::WriteTextFile(kept, "earlier");
    run = save(L"Logbreak LX-410", kept);
    EXPECT_EQ(run.Lines("message|").back(),
              std::string(kError) +
                  "Failed to send the command.\\nCheck that the correct model is connected and "
                  "that the printer is correctly connected and turned on.");
    run = save(L"Other Model LX-410", kept);
    EXPECT_EQ(run.Lines("message|").back(), std::string(kError) + "The wrong model is connected. ");
    EXPECT_EQ(harness::ReadBytes(kept), "earlier");
    run = save(L"Logbook LX-410", copy.dirPath(L"missing\\log.csv"));
    EXPECT_EQ(run.Lines("message|").back(), std::string(kError) +
                                                "The file cannot be saved because its folder does not "
                                                "exist.\\nChoose an existing folder.");
    EXPECT_EQ(CountFiles(copy.dir(), L"~lx*"), 0);
}
