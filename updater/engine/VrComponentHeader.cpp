#include "updater/engine/VrComponentHeader.h"

#include <cctype>
#include <cstring>

#include "updater/engine/VrComponentFile.h"
#include "updater/base/VrVersionInfo.h"

namespace {

const char kProductLabel[] = "Product Version:";
const char kComponentLabel[] = "Component Version:";

// The header was always read with an 80-byte line buffer: a longer line
// arrives in pieces of 79 characters, and a label split between two pieces
// is not seen.
const uint32_t kLinePiece = 79;
const uint32_t kChunkBytes = 4096;

// The file as the C runtime's text mode hands it over: CR LF becomes LF, and
// 0x1A ends the text. That is why the marker in front of the image starts
// with 0x1A: the image never reaches the line reader.
class TextReader {
public:
    explicit TextReader(CVrComponentFile& file) : m_file(file) {}

    // The next line, or piece of a long line, with its line feed if it has
    // one; false when the text has ended.
    bool NextPiece(char (&piece)[kLinePiece + 1]) {
        std::memset(piece, 0, sizeof(piece));
        uint32_t length = 0;
        while (length < kLinePiece) {
            int c = NextChar();
            if (c < 0) break;
            piece[length++] = static_cast<char>(c);
            if (c == '\n') break;
        }
        return length != 0;
    }

private:
    static const int kEnd = -1;

    int NextChar() {
        int c = NextByte();
        if (c == 0x1A) return EndText();
        if (c == '\r') {
            int next = NextByte();
            if (next == '\n') return '\n';
            m_pushedBack = next;
        }
        return c;
    }

    int NextByte() {
        if (m_pushedBack != kNone) {
            int c = m_pushedBack;
            m_pushedBack = kNone;
            return c;
        }
        if (m_ended) return kEnd;
        if (m_position == m_filled && !Fill()) return EndText();
        return m_chunk[m_position++];
    }

    bool Fill() {
        m_position = 0;
        return m_file.Read(m_chunk, kChunkBytes, m_filled) && m_filled != 0;
    }

    int EndText() {
        m_ended = true;
        return kEnd;
    }

    static const int kNone = -2;

    CVrComponentFile& m_file;
    unsigned char m_chunk[kChunkBytes];
    uint32_t m_filled = 0;
    uint32_t m_position = 0;
    int m_pushedBack = kNone;
    bool m_ended = false;
};

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool VrParseVersion(const char* text, CVrVersionInfo& version) {
    uint16_t parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && *text++ != '.') return false;
        while (IsBlank(*text)) ++text;
        if (!IsDigit(*text)) return false;
        uint32_t value = 0;
        while (IsDigit(*text)) {
            value = value * 10 + static_cast<uint32_t>(*text++ - '0');
            if (value > 0xFFFF) return false;
        }
        parts[i] = static_cast<uint16_t>(value);
    }
    version.Set(parts[0], parts[1], parts[2]);
    return true;
}

VrHeaderState VrScanComponentHeader(CVrComponentFile& file, CVrVersionInfo& product, CVrVersionInfo& component) {
    TextReader reader(file);
    bool productSeen = false;
    bool componentSeen = false;
    char piece[kLinePiece + 1];
    while (!(productSeen && componentSeen) && reader.NextPiece(piece)) {
        if (const char* label = std::strstr(piece, kProductLabel)) {
            if (VrParseVersion(label + sizeof(kProductLabel) - 1, product)) productSeen = true;
        } else if (const char* label = std::strstr(piece, kComponentLabel)) {
            if (VrParseVersion(label + sizeof(kComponentLabel) - 1, component)) componentSeen = true;
        }
    }
    if (productSeen && componentSeen) return kVrHeaderBoth;
    if (productSeen) return kVrHeaderProductOnly;
    if (componentSeen) return kVrHeaderComponentOnly;
    return kVrHeaderNone;
}
