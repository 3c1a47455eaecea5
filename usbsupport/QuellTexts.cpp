#include "usbsupport/QuellTexts.h"

#include "usbsupport/QuellSystem.h"

namespace {

const QuellTexts kEnglish = {
    L"Find MP3 Player ... ", L"Cancel", L"Found Mp3 Player...", L"Warning", L"SetWindowRgn Error!", L"HRgn Error!",
};

const QuellTexts kChinese = {
    L"正在查找MP3播放器 ... ", L"取 消", L"已找到设备...", L"警告", L"建立异形窗口失败!", L"异形窗口数据错误!",
};

}  // namespace

const QuellTexts& TextsFor(unsigned languageCode) {
    return languageCode == kQuellChinesePrc ? kChinese : kEnglish;
}
