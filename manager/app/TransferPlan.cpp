#include "manager/app/TransferPlan.h"

#include <cwctype>

namespace {

bool SameText(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return i == a.size() && !b[i];
}

// The name of a folder without what follows its last dot.
std::wstring BaseName(const std::wstring& path) {
    std::wstring name = FileNameOf(path);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

TransferPlan Refusal(SkinMessage warning) {
    TransferPlan plan;
    plan.refused = true;
    plan.warning = warning;
    return plan;
}

}  // namespace

PlayerPlacement PlacementFor(size_t depth, const std::wstring& shownFolder) {
    if (depth <= 1) return PlayerPlacement::kRoot;
    if (depth > 2) return PlayerPlacement::kOwnFolder;
    const std::wstring name = BaseName(WithoutTrailingBackslash(shownFolder));
    return SameText(name, L"voice") || SameText(name, L"mp3") ? PlayerPlacement::kMusicFolder
                                                               : PlayerPlacement::kOwnFolder;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsMusicFile(ULONG attributes, const std::wstring& path) {
    if ((attributes & kPlayableAttributes) == 0) return false;
    const std::wstring name = FileNameOf(path);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring extension = name.substr(dot);
    return SameText(extension, L".mp3") || SameText(extension, L".wma");
}

bool IsPlayableFile(ULONG attributes, const std::wstring& path) {
    if ((attributes & kPlayableAttributes) == 0 || path.size() < 3) return false;
    const std::wstring ending = path.substr(path.size() - 3);
    return SameText(ending, L"mp3") || SameText(ending, L"wma");
}

TransferPlan PlanCopyToPlayer(const std::vector<TransferItem>& selection, const PlayerFolder& player) {
    if (selection.empty()) return Refusal(kNoPcSelection);
    if (player.depth == 0) return Refusal(kNoPlayer);
    const PlayerPlacement placement = PlacementFor(player.depth, player.shown);
    const std::wstring root = WithoutTrailingBackslash(player.root);
    TransferPlan plan;
    for (const TransferItem& item : selection) {
        if (item.path.empty()) continue;
        const std::wstring name = FileNameOf(item.path);
        std::wstring destination;
        if (IsMusicFile(item.attributes, item.path)) {
            destination = root + L"\\" + name;
        } else if (placement == PlayerPlacement::kOwnFolder) {
            destination = WithoutTrailingBackslash(player.shown) + L"\\" + name;
        } else {
            plan.folderToCreate = root + L"\\edisk";
            destination = plan.folderToCreate + L"\\" + name;
        }
        plan.sources.push_back(item.path);
        plan.destinations.push_back(destination);
    }
    return plan;
}

TransferPlan PlanCopyToPc(const std::vector<TransferItem>& selection, const std::wstring& pcFolder, bool playerShown) {
    const std::wstring target = WithoutTrailingBackslash(pcFolder);
    if (target.empty()) return Refusal(kNoPcFolder);
    if (!playerShown) return Refusal(kNoPlayer);
    if (selection.empty()) return Refusal(kNoPlayerSelection);
    TransferPlan plan;
    for (const TransferItem& item : selection) {
        if (item.path.empty()) continue;
        plan.sources.push_back(item.path);
        plan.destinations.push_back(target + L"\\" + FileNameOf(item.path));
    }
    return plan;
}

TransferPlan PlanDelete(const DeleteRequest& request, bool& ignored) {
    const bool pcSide = request.activeSide == 1;
    ignored = pcSide ? !request.pcFolderKnown : !request.playerShown;
    if (ignored) return TransferPlan();
    const std::vector<TransferItem>& selection = pcSide ? request.pcSelection : request.playerSelection;
    if (selection.empty()) return Refusal(kNothingToDelete);
    TransferPlan plan;
    for (const TransferItem& item : selection) {
        if (!item.path.empty()) plan.sources.push_back(item.path);
    }
    // Nothing with a path: the command stops without a word.
    ignored = plan.sources.empty();
    return plan;
}

TransferFollowUp FollowUpOfCopy(bool started) { return started ? TransferFollowUp::kRefresh : TransferFollowUp::kWarn; }

TransferFollowUp FollowUpOfDelete(bool started, bool aborted) {
    if (aborted) return TransferFollowUp::kNothing;
    return started ? TransferFollowUp::kRefresh : TransferFollowUp::kWarn;
}
