// tpm's Win32 file system: a file is known by its volume and file index, so a name that
// differs in case or a hard link is the same file; devices and folders are no regular files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tpm/win32/Win32TpmFiles.h"

namespace tappling {
namespace {

TEST(Win32TpmFiles, KnowsAFileByItsIndex) {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string dir = std::string(temp) + "tappling_tpm_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    Win32TpmFiles files;
    std::string error;
    ASSERT_TRUE(files.replaceFile(dir + "\\m.TPM", "bytes", error)) << error;
    ASSERT_TRUE(files.replaceFile(dir + "\\other.TPM", "other", error)) << error;
    ASSERT_TRUE(CreateHardLinkA((dir + "\\link.TPM").c_str(), (dir + "\\m.TPM").c_str(), nullptr));

    const OpenedInput input = files.openInput(dir + "\\m.TPM", error);
    ASSERT_TRUE(input.file && input.identity) << error;
    EXPECT_EQ(input.file->size(), 5u);
    for (const char* same : {"\\M.tpm", "\\link.TPM"}) {
        const OutputTarget target = files.inspectOutput(dir + same);
        EXPECT_EQ(target.kind, OutputKind::Regular) << same;
        EXPECT_EQ(target.identity, input.identity) << same;
    }
    EXPECT_NE(files.inspectOutput(dir + "\\other.TPM").identity, input.identity);
    EXPECT_EQ(files.inspectOutput(dir + "\\none.TPM").kind, OutputKind::Absent);
    EXPECT_EQ(files.inspectOutput(dir).kind, OutputKind::NotRegular);
    EXPECT_EQ(files.inspectOutput("NUL").kind, OutputKind::NotRegular);
    EXPECT_FALSE(files.openInput(dir, error).file);
    EXPECT_EQ(error, "is a directory");

    for (const char* name : {"\\m.TPM", "\\link.TPM", "\\other.TPM"}) DeleteFileA((dir + name).c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace tappling
