#include "tests/skin/DialogTemplateReader.h"

namespace {

const uint16_t kDsSetFont = 0x40;
const uint16_t kDsShellFont = 0x48;

class Reader {
public:
    Reader(const unsigned char* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    bool Ok() const { return m_ok; }
    uint16_t Word() {
        if (m_at + 2 > m_size) return Fail();
        const uint16_t value = static_cast<uint16_t>(m_bytes[m_at] | m_bytes[m_at + 1] << 8);
        m_at += 2;
        return value;
    }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    void Skip(size_t bytes) {
        if (m_at + bytes > m_size) {
            Fail();
            return;
        }
        m_at += bytes;
    }
    void AlignToDword() { Skip((4 - m_at % 4) % 4); }
    std::wstring Text() {
        std::wstring text;
        for (uint16_t unit = Word(); m_ok && unit != 0; unit = Word()) text += static_cast<wchar_t>(unit);
        return text;
    }
    // A name or an ordinal (0xFFFF, then the number); the predefined control
    // classes are given by ordinal.
    std::wstring NameOrOrdinal() {
        if (m_at + 2 <= m_size && m_bytes[m_at] == 0xFF && m_bytes[m_at + 1] == 0xFF) {
            Word();
            switch (Word()) {
            case 0x80: return L"Button";
            case 0x81: return L"Edit";
            case 0x82: return L"Static";
            case 0x83: return L"ListBox";
            case 0x84: return L"ScrollBar";
            case 0x85: return L"ComboBox";
            default: return L"#ordinal";
            }
        }
        return Text();
    }

private:
    uint16_t Fail() {
        m_ok = false;
        m_at = m_size;
        return 0;
    }

    const unsigned char* m_bytes;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};

}  // namespace

bool ReadDialogTemplate(const unsigned char* bytes, size_t size, DialogTemplate& dialog) {
    Reader in(bytes, size);
    if (in.Word() != 1 || in.Word() != 0xFFFF) return false;
    in.Dword();  // help id
    in.Dword();  // extended style
    dialog.style = in.Dword();
    const uint16_t count = in.Word();
    in.Skip(8);  // x, y, width, height
    in.NameOrOrdinal();  // menu
    dialog.windowClass = in.NameOrOrdinal();
    in.Text();  // caption
    if ((dialog.style & kDsSetFont) || (dialog.style & kDsShellFont) == kDsShellFont) {
        in.Skip(6);  // point size, weight, italic, character set
        in.Text();
    }
    dialog.controls.clear();
    for (uint16_t i = 0; i < count && in.Ok(); ++i) {
        in.AlignToDword();
        DialogControl control;
        in.Dword();  // help id
        in.Dword();  // extended style
        control.style = in.Dword();
        in.Skip(8);
        control.id = in.Dword();
        control.windowClass = in.NameOrOrdinal();
        in.NameOrOrdinal();  // title
        in.Skip(in.Word());  // creation data
        dialog.controls.push_back(control);
    }
    return in.Ok();
}
