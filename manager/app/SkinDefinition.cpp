#include "manager/app/SkinDefinition.h"

#include "manager/app/SkinElements.h"
#include "manager/app/SkinResources.h"
#include "platform/ResourceStrings.h"

namespace {

// The skin's strings are one table; the variants are told apart by id.
const WORD kSkinLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::wstring SkinString(Host& host, HMODULE skin, SkinResource resource, bool chinese) {
    std::wstring text;
    if (!LoadResourceString(host, skin, SkinVariantId(resource, chinese), kSkinLanguage, text)) text.clear();
    return text;
}

int SkinSize(const std::wstring& text) {
    int size = 0;
    return ParseSkinNumber(text, size) && size > 0 ? size : 0;
}

}  // namespace

void SkinDefinition::Load(Host& host, HMODULE skin, bool chinese) {
    auto read = [&](SkinResource resource) { return SkinString(host, skin, resource, chinese); };
    m_width = SkinSize(read(kSkinWidth));
    m_height = SkinSize(read(kSkinHeight));
    m_elements.clear();
    for (const SkinElementSlot& element : SkinElements()) {
        m_elements[element.string.id] = ParseSkinElement(read(element.string));
    }
    m_menuTexts = SplitSkinList(read(kSkinMenuTexts), kSkinMenuTextSeparator);
    m_columnTitles = SplitSkinList(read(kSkinColumnTitles), kSkinColumnTitleSeparator);
    m_messages = SplitSkinList(read(kSkinMessages), kSkinMessageSeparator);
    m_filters = SplitSkinList(read(kSkinFilters), kSkinFilterSeparator);
    if (m_filters.empty()) m_filters = {L"*.mp3", L"*.*"};
}

const SkinElement& SkinDefinition::Element(unsigned stringId) const {
    static const SkinElement kHidden;
    auto found = m_elements.find(stringId);
    return found == m_elements.end() ? kHidden : found->second;
}

std::wstring SkinDefinition::Entry(const std::vector<std::wstring>& list, size_t index) {
    return index < list.size() ? list[index] : std::wstring();
}
