// The text-to-speech program of Tavlo's tests (never shipped), built as
// ZUZUVURA_1.exe: a window of class "ZIZIVAZO_TTSPAD_KORVALE" that, each
// time Tavlo sends it message 1030, writes a short speech file
// "C:\tts-out\speech-N.wav" (N counting from 1) and hands its path back
// to Tavlo's window with WM_COPYDATA, in the system's code page: without
// its terminating zero for odd N, with it for even N. It keeps its command
// line in "C:\tts-out\command-line.txt", so a test can tell how it was
// started.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

const wchar_t kWindowClass[] = L"ZIZIVAZO_TTSPAD_KORVALE";
const wchar_t kTavloClass[] = L"MP3MANAGER_MEREL_040218";
const wchar_t kOutputFolder[] = L"C:\\tts-out";
const UINT kBeginMessage = WM_USER + 6;
const UINT kSpeak = WM_APP + 1;

int g_spoken = 0;

bool WriteBytes(const std::wstring& path, const void* bytes, DWORD size) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool good = ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    return good;
}

// A tenth of a second of silence: 8 kHz, 8 bits, mono.
bool WriteSpeech(const std::wstring& path) {
    const DWORD samples = 800;
    unsigned char wave[44 + samples];
    auto put32 = [&wave](int at, DWORD value) { std::memcpy(wave + at, &value, 4); };
    auto put16 = [&wave](int at, WORD value) { std::memcpy(wave + at, &value, 2); };
    std::memcpy(wave, "RIFF", 4);
    put32(4, 36 + samples);
    std::memcpy(wave + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 8000);
    put32(28, 8000);
    put16(32, 1);
    put16(34, 8);
    std::memcpy(wave + 36, "data", 4);
    put32(40, samples);
    std::memset(wave + 44, 0x80, samples);
    return WriteBytes(path, wave, sizeof wave);
}

void Speak(HWND window) {
    ++g_spoken;
    const std::wstring path = std::wstring(kOutputFolder) + L"\\speech-" + std::to_wstring(g_spoken) + L".wav";
    if (!WriteSpeech(path)) return;
    char text[MAX_PATH] = "";
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, text, MAX_PATH, nullptr, nullptr);
    HWND tavlo = ::FindWindowW(kTavloClass, nullptr);
    if (bytes <= 1 || !tavlo) return;
    COPYDATASTRUCT data = {};
    data.lpData = text;
    data.cbData = static_cast<DWORD>(g_spoken % 2 == 1 ? bytes - 1 : bytes);
    ::SendMessageW(tavlo, WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&data));
    ::SetWindowTextW(window, (L"Spoken: " + path).c_str());
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kBeginMessage:
        // Answered at once; the speaking comes after, as a program would.
        ::PostMessageW(window, kSpeak, 0, 0);
        return 0;
    case kSpeak:
        Speak(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    ::CreateDirectoryW(kOutputFolder, nullptr);
    const std::wstring commandLine = ::GetCommandLineW();
    WriteBytes(std::wstring(kOutputFolder) + L"\\command-line.txt", commandLine.c_str(),
               static_cast<DWORD>(commandLine.size() * sizeof(wchar_t)));

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassW(&windowClass)) return 1;
    HWND window = ::CreateWindowExW(0, kWindowClass, L"Text to speech (test stand-in)", WS_OVERLAPPEDWINDOW, 600, 40,
                                    380, 120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, show);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
