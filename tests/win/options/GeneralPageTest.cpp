// The general page: the manifest beside the executable and the window's start place.
#include "OptionsFixture.h"
#include "options/win32/Manifest.h"

namespace {

using GeneralPageTest = OptionsFixture;

TEST_F(GeneralPageTest, TickingWritesTheManifestOnceWithItsMessage)
{
    EXPECT_EQ(Run([&](HWND dialog) {
                  EXPECT_FALSE(Ticked(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA));
                  Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, true);
                  Ok(dialog);
              }),
              1);
    const std::string manifest = Read(options.host.manifestPath);
    EXPECT_EQ(manifest.size(), 520u);
    EXPECT_EQ(manifest, std::string(kManifestText));
    EXPECT_EQ(manifest.substr(manifest.size() - 13), "</assembly>\r\n");
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].number, IDS_MSG_LUNA_ON);
    EXPECT_EQ(modal.shown[0].style & 0xF0, 64u);

    // Ticked again over a manifest that is there (with other content): no message, the
    // file untouched.
    Touch(options.host.manifestPath, "hand-made");
    EXPECT_EQ(Run([&](HWND dialog) {
                  EXPECT_TRUE(Ticked(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA));
                  Ok(dialog);
              }),
              1);
    EXPECT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(Read(options.host.manifestPath), "hand-made");
}

TEST_F(GeneralPageTest, ClearingDeletesTheManifestAndLeavingItAbsentSaysNothing)
{
    Touch(options.host.manifestPath, kManifestText);
    Run([&](HWND dialog) {
        Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, false);
        Ok(dialog);
    });
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_LUNA_OFF});

    Run([&](HWND dialog) { Ok(dialog); });
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_LUNA_OFF});
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GeneralPageTest, AManifestThatCannotBeWrittenStillGetsItsMessage)
{
    options.host.manifestPath = folder + L"missing\\kvte.exe.manifest";
    Run([&](HWND dialog) {
        Tick(Page(IDD_OPTION_GENERAL), IDC_GENERAL_LUNA, true);
        Ok(dialog);
    });
    EXPECT_EQ(Messages(), std::vector<int>{IDS_MSG_LUNA_ON});
    EXPECT_EQ(GetFileAttributesW(options.host.manifestPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GeneralPageTest, ThePlaceFieldsFollowTheRadioAndAreWrittenEitherWay)
{
    SetSection(settings, "main");
    WriteInt(settings, "windows", 1);
    WriteInt(settings, "x", 0x10000 + 40);  // only the low 16 bits are shown
    WriteInt(settings, "auto_kanji", 1);
    Run([&](HWND dialog) {
        HWND page = Page(IDD_OPTION_GENERAL);
        EXPECT_TRUE(Ticked(page, IDC_GENERAL_SYSTEM_PLACE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_GENERAL_X_EDIT)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_GENERAL_HEIGHT_SPIN)));
        wchar_t x[16] = {};
        GetDlgItemTextW(page, IDC_GENERAL_X_EDIT, x, 16);
        EXPECT_STREQ(x, L"40");
        EXPECT_TRUE(Ticked(page, IDC_GENERAL_AUTO_KANJI));

        Choose(page, IDC_GENERAL_SYSTEM_PLACE, IDC_GENERAL_OWN_PLACE, IDC_GENERAL_OWN_PLACE);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_GENERAL_X_EDIT)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_GENERAL_HEIGHT_SPIN)));
        Type(page, IDC_GENERAL_Y_EDIT, L"123");
        Type(page, IDC_GENERAL_WIDTH_EDIT, L"wide");  // no number: the last valid position stays
        Type(page, IDC_GENERAL_HEIGHT_EDIT, L"2001");
        Tick(page, IDC_GENERAL_AUTO_KANJI, false);
        Choose(page, IDC_GENERAL_SYSTEM_PLACE, IDC_GENERAL_OWN_PLACE, IDC_GENERAL_SYSTEM_PLACE);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_GENERAL_Y_EDIT)));
        Ok(dialog);
    });
    EXPECT_EQ(Int("main", "windows"), 1);
    EXPECT_EQ(Int("main", "x"), 40);
    EXPECT_EQ(Int("main", "y"), 123);
    EXPECT_GE(Int("main", "width"), 0);
    EXPECT_LE(Int("main", "width"), 2000);
    EXPECT_LE(Int("main", "height"), 2000);
    EXPECT_EQ(Int("main", "auto_kanji"), 0);
}

}  // namespace
