#include "manager/window/SkinLayout.h"

#include "manager/app/ManagerControls.h"
#include "manager/app/SkinElements.h"
#include "manager/app/SkinRegionFile.h"

namespace {

// The gauge's element string.
const unsigned kGaugeElement = 132;

HBITMAP LoadPicture(HMODULE skin, unsigned id) {
    return static_cast<HBITMAP>(::LoadImageW(skin, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

void MoveTo(HWND control, const SkinRect& rect) {
    ::MoveWindow(control, rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
}

}  // namespace

void CSkinLayout::Load(HMODULE skin, bool chinese) {
    m_definition.Load(m_host, skin, chinese);
    m_pictures.clear();
    m_gaugeFree.DeleteObject();
    m_gaugeUsed.DeleteObject();
    m_background.Attach(LoadPicture(skin, SkinVariantId(kSkinBackground, chinese)));
    m_brushBackground.Attach(LoadPicture(skin, SkinVariantId(kSkinBackground, chinese)));
    for (const SkinElementSlot& element : SkinElements()) {
        if (element.picture.id == 0 || !Element(element.string.id).Shown()) continue;
        auto picture = std::make_unique<CBitmap>();
        picture->Attach(LoadPicture(skin, SkinVariantId(element.picture, chinese)));
        m_pictures[element.string.id] = std::move(picture);
    }
    if (Element(kGaugeElement).Shown()) {
        m_gaugeFree.Attach(LoadPicture(skin, kGaugeFreePicture.id));
        m_gaugeUsed.Attach(LoadPicture(skin, kGaugeUsedPicture.id));
    }
}

HBITMAP CSkinLayout::Picture(unsigned stringId) const {
    auto found = m_pictures.find(stringId);
    return found == m_pictures.end() ? nullptr : found->second->GetSafeHandle();
}

void CSkinLayout::Apply(HWND window, SkinButtons& buttons, CCapacityBar& gauge, CapacityTextControls& texts) const {
    ::MoveWindow(window, 0, 0, Width(), Height(), FALSE);
    ApplyRegion(window);
    for (const SkinElementSlot& slot : SkinElements()) {
        const SkinElement& element = Element(slot.string.id);
        HWND control = ::GetDlgItem(window, slot.control);
        switch (slot.kind) {
        case SkinElementKind::kButton: {
            auto button = buttons.find(slot.control);
            if (button == buttons.end()) break;
            if (!element.Shown()) {
                button->second->Show(SW_HIDE);
                break;
            }
            button->second->Show(SW_SHOW);
            MoveTo(*button->second, element.rect);
            if (HBITMAP strip = Picture(slot.string.id)) {
                button->second->SetPictures(strip, CSkinButton::kStretched, false, 0);
            }
            break;
        }
        case SkinElementKind::kControl:
            if (element.Shown()) {
                MoveTo(control, element.rect);
            } else {
                ::ShowWindow(control, SW_HIDE);
            }
            break;
        case SkinElementKind::kGauge:
            if (element.Shown()) {
                gauge.SetRect({element.rect.left, element.rect.top, element.rect.right, element.rect.bottom});
            } else {
                gauge.Show(SW_HIDE);
            }
            break;
        case SkinElementKind::kCapacityText: {
            texts.erase(slot.control);
            if (!element.Shown()) break;
            auto text = std::make_unique<CStatic>();
            const RECT rect = {element.rect.left, element.rect.top, element.rect.right, element.rect.bottom};
            if (text->Create(L"", WS_VISIBLE | SS_RIGHT, rect, window, slot.control)) texts[slot.control] = std::move(text);
            break;
        }
        case SkinElementKind::kDecoration:
            break;
        }
    }
}

void CSkinLayout::ApplyRegion(HWND window) const {
    const std::wstring path = SkinRegionPath(m_host);
    SkinRegion region;
    if (path.empty() || !LoadSkinRegion(m_host, path, region)) return;
    HRGN outline = ::ExtCreateRegion(nullptr, static_cast<DWORD>(region.data.size()),
                                     reinterpret_cast<const RGNDATA*>(region.data.data()));
    // The window owns the region from now on.
    if (outline && !::SetWindowRgn(window, outline, TRUE)) ::DeleteObject(outline);
}
