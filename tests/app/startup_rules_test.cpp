// Start-up rules that need no system: command line, model list, printer choice, placement, text direction.
#include "app/settings/startup_rules.h"
#include "core/rules.h"

#include <gtest/gtest.h>

using Names = std::vector<std::wstring>;

TEST(TrimCommandLine, BlanksAroundGoButQuotesStay) {
    EXPECT_EQ(TrimCommandLine(L"   \t "), L"");
    EXPECT_EQ(TrimCommandLine(L"  Korvale LX-410 \t\r\n"), L"Korvale LX-410");
    EXPECT_EQ(TrimCommandLine(L" \"Korvale LX-410\" "), L"\"Korvale LX-410\"");
    EXPECT_EQ(TrimCommandLine(L"a  b"), L"a  b");
}

TEST(IsValidLanguageCode, LettersAndDigitsOnly) {
    for (const wchar_t* good : {L"ENU", L"de", L"JPN", L"zh2", L"ABCDEFGH"})
        EXPECT_TRUE(IsValidLanguageCode(good)) << good;
    for (const wchar_t* bad :
         {L"", L"x\\..\\..\\probe", L"..", L"EN U", L"ENU.dll", L"C:", L"ABCDEFGHI", L"\u00c4NU"})
        EXPECT_FALSE(IsValidLanguageCode(bad)) << bad;
}

TEST(SplitModelList, EmptyPiecesAreDroppedAndBlanksKept) {
    EXPECT_EQ(SplitModelList(L""), Names{});
    EXPECT_EQ(SplitModelList(L",,,"), Names{});
    EXPECT_EQ(SplitModelList(L",A,,B,"), (Names{L"A", L"B"}));
    EXPECT_EQ(SplitModelList(L"Korvale LX-410, Korvale LX-450W"),
              (Names{L"Korvale LX-410", L" Korvale LX-450W"}));
    EXPECT_EQ(SplitModelList(L"A,A"), (Names{L"A", L"A"}));
}

TEST(ReplaceLastFour, DropsFourCharactersWhateverTheyAre) {
    EXPECT_EQ(ReplaceLastFour(L"C:\\Tools\\lxdevset.exe", L"", L".ini"), L"C:\\Tools\\lxdevset.ini");
    EXPECT_EQ(ReplaceLastFour(L"C:\\x\\tool", L"", L".ini"), L"C:\\x\\.ini");
    EXPECT_EQ(ReplaceLastFour(L"C:\\lxdevset.exe", L"_Korvale LX-410", L".ini"),
              L"C:\\lxdevset_Korvale LX-410.ini");
    EXPECT_EQ(ReplaceLastFour(L"abc", L"", L".ini"), L".ini");
}

TEST(IsRightToLeftLanguage, OnlyTheExactArabicCode) {
    EXPECT_TRUE(IsRightToLeftLanguage(L"ARE"));
    EXPECT_FALSE(IsRightToLeftLanguage(L"are"));
    EXPECT_FALSE(IsRightToLeftLanguage(L"ENU"));
    EXPECT_FALSE(IsRightToLeftLanguage(L""));
}

TEST(ChooseAcceptablePrinters, PrefersSmallestOnlineNameInCodeUnitOrder) {
    const std::vector<InstalledPrinter> printers = {
        {L"alpha", L"M", false}, {L"Beta", L"M", false}, {L"Other", L"X", false}};
    const PrinterChoice choice = ChooseAcceptablePrinters(printers, {L"M"});
    EXPECT_EQ(choice.listed, (Names{L"alpha", L"Beta"}));
    EXPECT_EQ(choice.preferred, L"Beta"); // 'B' (0x42) sorts before 'a' (0x61)
}

TEST(ChooseAcceptablePrinters, OfflinePrintersAreListedButNeverPreferred) {
    const std::vector<InstalledPrinter> printers = {{L"A", L"M", true}, {L"B", L"M", true}};
    const PrinterChoice choice = ChooseAcceptablePrinters(printers, {L"M"});
    EXPECT_EQ(choice.listed.size(), 2u);
    EXPECT_EQ(choice.preferred, L"");
}

TEST(ChooseAcceptablePrinters, DriverMatchIsExactAndRepeatedModelsListTwice) {
    const std::vector<InstalledPrinter> printers = {{L"P", L"Korvale LX-410", false},
                                                    {L"Q", L"korvale lx-410", false}};
    EXPECT_EQ(ChooseAcceptablePrinters(printers, {L"Korvale LX-410", L"Korvale LX-410"}).listed,
              (Names{L"P", L"P"}));
    EXPECT_TRUE(ChooseAcceptablePrinters(printers, {L"KORVALE LX-410"}).listed.empty());
    EXPECT_TRUE(ChooseAcceptablePrinters({}, {L"M"}).listed.empty());
}

TEST(CenteredOrigin, CentresAndTruncatesTowardZero) {
    // 300 x 200 window over a 600 x 400 reference at (100, 50).
    Point p = CenteredOrigin({0, 0, 300, 200}, {100, 50, 700, 450});
    EXPECT_EQ(p.x, 250);
    EXPECT_EQ(p.y, 150);
    // Wider than the reference: the window starts left of it; -101 / 2 truncates to -50.
    p = CenteredOrigin({0, 0, 201, 100}, {10, 10, 110, 110});
    EXPECT_EQ(p.x, 10 - 50);
    EXPECT_EQ(p.y, 10);
}
