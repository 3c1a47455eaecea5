#include "manager/app/SpeechProgram.h"

#include "manager/app/RegistryText.h"

const wchar_t kSpeechWindowClass[] = L"ZIZIVAZO_TTSPAD_KORVALE";
const wchar_t kSpeechAppPathKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ZUZUVURA_1.exe";
const wchar_t kSpeechPathValue[] = L"Path";

namespace {

const size_t kSpeechFolderChars = 40;

}  // namespace

std::wstring ReadSpeechProgramFolder(Host& host) {
    return ReadRegistryText(host, kSpeechAppPathKey, kSpeechPathValue, kSpeechFolderChars);
}

std::wstring SpeechCommandLine(const std::wstring& folder) {
    const bool separated = !folder.empty() && folder.back() == L'\\';
    return L"\"" + folder + (separated ? L"" : L"\\") + L"ZUZUVURA_1.exe\" -ZIZIVAZO";
}
