#include "platform/sim/SimMessages.h"

namespace {

struct Message {
    DWORD code;
    const wchar_t* text;
};

// Worded as the system words them; every text ends with a period and a line
// break, which callers that build one-line reports have to trim.
const Message kMessages[] = {
    {0, L"The operation completed successfully.\r\n"},
    {1, L"Incorrect function.\r\n"},
    {2, L"The system cannot find the file specified.\r\n"},
    {3, L"The system cannot find the path specified.\r\n"},
    {5, L"Access is denied.\r\n"},
    {6, L"The handle is invalid.\r\n"},
    {8, L"Not enough storage is available to process this command.\r\n"},
    {15, L"The system cannot find the drive specified.\r\n"},
    {19, L"The media is write protected.\r\n"},
    {21, L"The device is not ready.\r\n"},
    {23, L"Data error (cyclic redundancy check).\r\n"},
    {31, L"A device attached to the system is not functioning.\r\n"},
    {32, L"The process cannot access the file because it is being used by another process.\r\n"},
    {38, L"Reached the end of the file.\r\n"},
    {50, L"The request is not supported.\r\n"},
    {80, L"The file exists.\r\n"},
    {87, L"The parameter is incorrect.\r\n"},
    {112, L"There is not enough space on the disk.\r\n"},
    {121, L"The semaphore timeout period has expired.\r\n"},
    {122, L"The data area passed to a system call is too small.\r\n"},
    {123, L"The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {126, L"The specified module could not be found.\r\n"},
    {127, L"The specified procedure could not be found.\r\n"},
    {131, L"An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {183, L"Cannot create a file when that file already exists.\r\n"},
    {193, L"%1 is not a valid Win32 application.\r\n"},
    {234, L"More data is available.\r\n"},
    {259, L"No more data is available.\r\n"},
    {288, L"Attempt to release mutex not owned by caller.\r\n"},
    {317, L"The system cannot find message text for message number 0x%1 in the message file for %2.\r\n"},
    {995, L"The I/O operation has been aborted because of either a thread exit or an application request.\r\n"},
    {997, L"Overlapped I/O operation is in progress.\r\n"},
    {998, L"Invalid access to memory location.\r\n"},
    {1117, L"The request could not be performed because of an I/O device error.\r\n"},
    {1167, L"The device is not connected.\r\n"},
    {1460, L"This operation returned because the timeout period expired.\r\n"},
    {1812, L"The specified image file did not contain a resource section.\r\n"},
    {1813, L"The specified resource type cannot be found in the image file.\r\n"},
    {1814, L"The specified resource name cannot be found in the image file.\r\n"},
    {1815, L"The specified resource language ID cannot be found in the image file.\r\n"},
};

}  // namespace

DWORD FindSystemMessage(DWORD code, LANGID language, std::wstring& text) {
    // A neutral request falls through the loader's languages to US English.
    WORD primary = PRIMARYLANGID(language);
    if (primary != LANG_NEUTRAL && primary != LANG_ENGLISH) return ERROR_RESOURCE_LANG_NOT_FOUND;
    for (const Message& message : kMessages) {
        if (message.code == code) {
            text = message.text;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_MR_MID_NOT_FOUND;
}
