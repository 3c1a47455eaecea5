// Loading libraries on the simulated PC and finding their resources, the
// language search of the loader included.
#include <gtest/gtest.h>

#include <string>

#include "platform/ResourceStrings.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimPath.h"
#include "tests/platform/SimTestFolder.h"

namespace {

std::vector<unsigned char> TestLibrary() { return ReadHostFile(VR_SIM_TEST_DIR "/SimTestResources.dll"); }

intptr_t Answer() { return 42; }

class FakeAspi final : public SimNativeModule {
public:
    FARPROC Export(const char* name) override {
        return std::string(name) == "GetASPI32SupportInfo" ? reinterpret_cast<FARPROC>(&Answer) : nullptr;
    }
};

class SimModules : public ::testing::Test {
protected:
    SimModules() {
        machine.MapFolder(L'C', DRIVE_FIXED, folder.Path());
        folder.Write("Caddis/strings.dll", TestLibrary());
        folder.Write("WINDOWS/system32/system.dll", TestLibrary());
    }

    std::wstring Text(HMODULE module, UINT id, WORD language) {
        std::wstring text;
        if (!LoadResourceString(host, module, id, language, text)) return L"error " + std::to_wstring(host.GetLastError());
        return text;
    }
    std::wstring FileName(HMODULE module) {
        wchar_t name[260] = {};
        DWORD length = host.GetModuleFileName(module, name, 260);
        return std::wstring(name, length);
    }

    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

}  // namespace

TEST_F(SimModules, ResourceLanguagesFallBackAsTheLoaderDoes) {
    HMODULE module = host.LoadLibrary(L"strings.dll");
    ASSERT_NE(nullptr, module);
    machine.SetLanguages(0x040C, 0x0407);
    EXPECT_EQ(L"en-US", Text(module, 1, 0x0409));    // the language asked for
    EXPECT_EQ(L"en", Text(module, 1, 0x0809));       // its primary language
    EXPECT_EQ(L"neutral", Text(module, 1, 0x0411));  // neutral
    EXPECT_EQ(L"fr-FR", Text(module, 17, 0x0000));   // neutral asked: the user's language
    EXPECT_EQ(L"fr-FR", Text(module, 17, 0x0400));
    EXPECT_EQ(L"de-DE", Text(module, 17, 0x0410));   // a real language is not searched further: the first one
    EXPECT_EQ(L"ja-JP", Text(module, 33, 0x0409));
    machine.SetLanguages(0x0411, 0x0407);
    EXPECT_EQ(L"de-DE", Text(module, 17, 0x0000));   // then the system's language
    machine.SetLanguages(0x0411, 0x0411);
    EXPECT_EQ(L"en-US", Text(module, 17, 0x0000));   // then US English
}

TEST_F(SimModules, LibrariesAreFoundBesideTheProgramThenInTheSystemFolder) {
    HMODULE own = host.LoadLibrary(L"STRINGS");  // the extension is added, the case does not matter
    ASSERT_NE(nullptr, own);
    EXPECT_TRUE(SimSameName(L"C:\\Caddis\\strings.dll", FileName(own)));
    EXPECT_EQ(own, host.LoadLibrary(L"c:/caddis/strings.dll"));
    EXPECT_EQ(own, host.GetModuleHandle(L"strings.dll"));

    HMODULE system = host.LoadLibrary(L"system.dll");
    ASSERT_NE(nullptr, system);
    EXPECT_NE(own, system);
    EXPECT_TRUE(SimSameName(L"C:\\WINDOWS\\system32\\system.dll", FileName(system)));

    EXPECT_EQ(nullptr, host.LoadLibrary(L"missing.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), host.GetLastError());
    EXPECT_EQ(nullptr, host.LoadLibrary(L"D:\\strings.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), host.GetLastError());

    // Loaded twice, freed twice: then it is gone.
    EXPECT_TRUE(host.FreeLibrary(own));
    EXPECT_EQ(own, host.GetModuleHandle(L"strings.dll"));
    EXPECT_TRUE(host.FreeLibrary(own));
    EXPECT_EQ(nullptr, host.GetModuleHandle(L"strings.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), host.GetLastError());
    EXPECT_FALSE(host.FreeLibrary(own));
}

TEST_F(SimModules, BrokenLibrariesDoNotLoad) {
    std::vector<unsigned char> library = TestLibrary();
    folder.Write("Caddis/half.dll", std::vector<unsigned char>(library.begin(), library.begin() + library.size() / 2));
    folder.Write("Caddis/text.dll", {'M', 'Z', ' ', 'n', 'o', 't', ' ', 'a', ' ', 'l', 'i', 'b', 'r', 'a', 'r', 'y'});
    for (LPCWSTR name : {L"half.dll", L"text.dll"}) {
        EXPECT_EQ(nullptr, host.LoadLibrary(name));
        EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_EXE_FORMAT), host.GetLastError());
    }
}

TEST_F(SimModules, TheProgramModuleHasTheResourcesGivenToIt) {
    HMODULE program = host.GetModuleHandle(nullptr);
    ASSERT_NE(nullptr, program);
    EXPECT_EQ(program, host.GetModuleHandle(L"caddis.exe"));
    EXPECT_EQ(L"C:\\Caddis\\Caddis.exe", FileName(nullptr));
    wchar_t cut[6] = {L'#', L'#', L'#', L'#', L'#', L'#'};
    EXPECT_EQ(5u, host.GetModuleFileName(program, cut, 5));  // cut, without a terminator
    EXPECT_EQ(L"C:\\Ca#", std::wstring(cut, 6));

    EXPECT_EQ(nullptr, host.FindResourceEx(nullptr, RT_STRING, MAKEINTRESOURCEW(1), 0x0409));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), host.GetLastError());
    std::vector<unsigned char> library = TestLibrary();
    EXPECT_FALSE(host.SetProgramImage(library.data(), library.size() - 1));
    ASSERT_TRUE(host.SetProgramImage(library.data(), library.size()));
    EXPECT_EQ(L"en-US", Text(nullptr, 1, 0x0409));
}

TEST_F(SimModules, ResourceHandlesBelongToTheirModule) {
    HMODULE one = host.LoadLibrary(L"strings.dll");
    HMODULE other = host.LoadLibrary(L"system.dll");
    HRSRC resource = host.FindResourceEx(one, L"Sample", L"Payload", 0);
    ASSERT_NE(nullptr, resource);
    EXPECT_EQ(6u, host.SizeofResource(one, resource));
    EXPECT_STREQ("hello", static_cast<const char*>(host.LockResource(host.LoadResource(one, resource))));
    EXPECT_EQ(nullptr, host.LoadResource(other, resource));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), host.GetLastError());
    EXPECT_EQ(0u, host.SizeofResource(other, resource));
    EXPECT_EQ(nullptr, host.FindResourceEx(one, L"Sample", L"Missing", 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), host.GetLastError());
}

TEST_F(SimModules, OnlyLibrariesProvidedInCodeExportFunctions) {
    HMODULE resources = host.LoadLibrary(L"strings.dll");
    EXPECT_EQ(nullptr, host.GetProcAddress(resources, "DllGetVersion"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), host.GetLastError());

    machine.RegisterNativeModule(L"C:\\WINDOWS\\system32\\WNASPI32.DLL", std::make_shared<FakeAspi>());
    HMODULE aspi = host.LoadLibrary(L"wnaspi32.dll");
    ASSERT_NE(nullptr, aspi);
    FARPROC info = host.GetProcAddress(aspi, "GetASPI32SupportInfo");
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(42, info());
    EXPECT_EQ(nullptr, host.GetProcAddress(aspi, "SendASPI32Command"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), host.GetLastError());
}
