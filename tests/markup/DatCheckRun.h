// Runs the definition-file inspector as a person does: in a folder, its standard output sent to
// a file there.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

// The inspector's full exit code; output receives its standard output byte for byte.
inline uint32_t RunInspector(const std::wstring& arguments,
                             const testing_support::ScratchFolder& folder, std::string& output) {
    using namespace testing_support;
    const std::wstring command =
        L"cmd.exe /c \"\"" + ProgramFolder() + L"datcheck.exe\" " + arguments + L" >out.txt\"";
    const ChildResult result = RunAndWait(command, folder.Path());
    EXPECT_TRUE(result.finished) << Utf8(command);
    output = ReadBytes(folder / L"out.txt");
    return result.exitCode;
}
