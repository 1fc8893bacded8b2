#include "installer/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "installer/RegistrationPlan.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32ModulePath.h"

namespace tappling::installer {
namespace {

// Each test works below its own scratch key of the current user, removed afterwards.
class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (root_) RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }

    // Raw default value straight from the registry: type and bytes including the NUL.
    bool rawDefault(const char* key, DWORD& type, std::string& bytes) {
        char buffer[1024];
        DWORD size = sizeof buffer;
        if (RegGetValueA(root_, key, nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS) {
            return false;
        }
        bytes.assign(buffer, size);
        return true;
    }

    static constexpr const char* kScratch = "Software\\TapplingRegistryTest";
    HKEY root_ = nullptr;
};

TEST_F(Win32RegistryTest, MissingKeyReadsAsNothingAndIsNotCreated) {
    Win32Registry registry(root_);
    EXPECT_FALSE(registry.readDefault(".TPM").has_value());
    HKEY created = nullptr;
    EXPECT_NE(RegOpenKeyExA(root_, ".TPM", 0, KEY_READ, &created), ERROR_SUCCESS);
    if (created) RegCloseKey(created);
}

TEST_F(Win32RegistryTest, PrefixPlacesKeysBelowASubKeyOfTheRoot) {
    Win32Registry registry(HKEY_CURRENT_USER, std::string(kScratch) + "\\Classes\\");
    ASSERT_TRUE(registry.writeDefault(".TPM", "TapplingFile"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(rawDefault("Classes\\.TPM", type, bytes));
    EXPECT_EQ(bytes, std::string("TapplingFile") + '\0');
    EXPECT_EQ(registry.readDefault(".TPM"), "TapplingFile");
}

TEST_F(Win32RegistryTest, WritesRegSzWithItsNulAndReadsItBack) {
    Win32Registry registry(root_);
    ASSERT_TRUE(registry.writeDefault("TapplingFile\\shell\\nodlg\\command", "C:\\Tools\\Tappling.exe %1-NODIG"));
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(rawDefault("TapplingFile\\shell\\nodlg\\command", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, std::string("C:\\Tools\\Tappling.exe %1-NODIG") + '\0');
    EXPECT_EQ(registry.readDefault("TapplingFile\\shell\\nodlg\\command"), "C:\\Tools\\Tappling.exe %1-NODIG");
}

TEST_F(Win32RegistryTest, KeyWithoutDefaultValueReadsAsNothing) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root_, ".TPM", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, "Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(key);
    EXPECT_FALSE(Win32Registry(root_).readDefault(".TPM").has_value());
}

TEST_F(Win32RegistryTest, ValueLongerThanTheReadBufferReadsAsNothing) {
    Win32Registry registry(root_);
    ASSERT_TRUE(registry.writeDefault("k255", std::string(255, 'a')));
    ASSERT_TRUE(registry.writeDefault("k256", std::string(256, 'a')));
    EXPECT_EQ(registry.readDefault("k255"), std::string(255, 'a'));
    EXPECT_FALSE(registry.readDefault("k256").has_value());
}

TEST_F(Win32RegistryTest, DataWithoutNulIsReadOnlyAsFarAsStored) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root_, "raw", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("Other"), 5);  // no terminating NUL
    RegCloseKey(key);
    EXPECT_EQ(Win32Registry(root_).readDefault("raw"), "Other");
}

TEST_F(Win32RegistryTest, JapaneseCaptionIsStoredAsTheSameText) {
    // The caption goes in as code page bytes and must come out of the W API as the same characters.
    const Win32CodePage codePage;
    Win32Registry registry(root_);
    ASSERT_TRUE(registry.writeDefault("TapplingFile\\shell\\nodlg", codePage.fromUtf16(u"自動実行")));
    wchar_t wide[64] = {};
    DWORD size = sizeof wide;
    ASSERT_EQ(RegGetValueW(root_, L"TapplingFile\\shell\\nodlg", nullptr, RRF_RT_REG_SZ, nullptr, wide, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(wide), L"自動実行");
}

TEST(Win32CodePageForInstallerTest, CaptionsBecomeCp932Bytes) {
    ASSERT_EQ(GetACP(), 932u) << "the harness runs in the Japanese locale";
    const Win32CodePage codePage;
    EXPECT_EQ(codePage.fromUtf16(u"ランダム自動実行"),
              "\x83\x89\x83\x93\x83\x5F\x83\x80\x8E\xA9\x93\xAE\x8E\xC0\x8D\x73");
    EXPECT_EQ(codePage.fromUtf16(u"自動実行"), "\x8E\xA9\x93\xAE\x8E\xC0\x8D\x73");
    EXPECT_TRUE(codePage.isLeadByte(0x95));
    EXPECT_FALSE(codePage.isLeadByte('\\'));
    EXPECT_EQ(programDirectory("C:\\\x95\x5C\\Linkery.exe", codePage), "C:\\\x95\x5C");
}

TEST(ModulePathTest, OwnPathIsAFullPathEndingInTheProgramName) {
    const auto path = tappling::ownModulePath();
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->substr(1, 2), ":\\");
    EXPECT_NE(path->rfind(".exe"), std::string::npos);
}

}  // namespace
}  // namespace tappling::installer
