// A drive whose files live in a folder of the machine the simulation runs on.
// Names are found without regard to case, as Windows finds them. The folder
// cannot keep Windows' file attributes, so the drive keeps them beside it
// (files it does not know are ARCHIVE). While the folder does not exist the
// drive has no medium: every call fails with ERROR_NOT_READY.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/sim/SimDrive.h"

class SimFolderDrive final : public SimDrive {
public:
    SimFolderDrive(UINT type, const std::filesystem::path& folder);
    ~SimFolderDrive() override;

    // A write-protected medium refuses every change with ERROR_WRITE_PROTECT.
    void SetWriteProtected(bool writeProtected);

    UINT Type() const override { return type_; }
    DWORD Open(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
               std::shared_ptr<SimFileObject>& file, bool& existed) override;
    DWORD GetAttributes(const std::vector<std::wstring>& parts, DWORD& attributes) override;
    DWORD SetAttributes(const std::vector<std::wstring>& parts, DWORD attributes) override;
    DWORD Remove(const std::vector<std::wstring>& parts) override;

private:
    struct Store;
    class File;
    struct Found;

    DWORD Find(const std::vector<std::wstring>& parts, Found& found) const;
    DWORD OpenLocked(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                     std::shared_ptr<SimFileObject>& file, bool& existed);

    UINT type_;
    std::shared_ptr<Store> store_;
};
