// What the skin library says in strings, read for one variant: the window's
// size, every element, and the lists of menu texts, column titles, messages
// and filters. The pictures are the window's to load, by the ids of
// SkinElements.h and SkinResources.h.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "manager/app/SkinStrings.h"
#include "platform/Host.h"

class SkinDefinition {
public:
    // Reads the strings of `skin` for the Chinese variant or the other one.
    // A missing string reads as empty: a hidden element with an empty
    // rectangle, an empty list, a size of 0.
    void Load(Host& host, HMODULE skin, bool chinese);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The element of the string with `stringId` as its lower id; hidden and
    // empty for an id that is no element.
    const SkinElement& Element(unsigned stringId) const;

    // An entry the list does not hold reads as empty.
    std::wstring MenuText(size_t index) const { return Entry(m_menuTexts, index); }
    std::wstring Message(size_t index) const { return Entry(m_messages, index); }
    const std::vector<std::wstring>& MenuTexts() const { return m_menuTexts; }
    const std::vector<std::wstring>& ColumnTitles() const { return m_columnTitles; }
    const std::vector<std::wstring>& Messages() const { return m_messages; }

    // The items of the filter box; without the skin's list, "*.mp3" and "*.*".
    const std::vector<std::wstring>& Filters() const { return m_filters; }

private:
    static std::wstring Entry(const std::vector<std::wstring>& list, size_t index);

    int m_width = 0;
    int m_height = 0;
    std::map<unsigned, SkinElement> m_elements;
    std::vector<std::wstring> m_menuTexts;
    std::vector<std::wstring> m_columnTitles;
    std::vector<std::wstring> m_messages;
    std::vector<std::wstring> m_filters;
};
