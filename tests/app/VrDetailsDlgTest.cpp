// The details dialog's file paths, for a program installed at a drive root:
// the folder Windows reports then ends with its separator already.
#include <gtest/gtest.h>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "resources/caddis/CaddisResourceImage.h"
#include "tests/support/RecordingFrontEnd.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDetailsDlg.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrErrorRecord.h"

namespace {

TEST(DetailsDialog, APathBesideAProgramAtADriveRootHasOneSeparator) {
    SimMachine machine;
    machine.MapFolder(L'C', DRIVE_FIXED, VR_BIN_DIR);
    SimHost host(machine, L"C:\\Caddis.exe");
    host.SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size);
    CVrConfigInfo config;
    CVrErrorRecord errors;
    CVrLanguageResource resource(host, config, errors, 0x0409);
    config.SetResourceProvider(&resource);
    CVrVersionInfoPtrArray current(4), next(4);

    CVrDetailsDlg details(host, resource, current, next, config, 3);
    RecordingFrontEnd frontEnd;
    frontEnd.RunModal(details, nullptr);

    ASSERT_EQ(1u, frontEnd.dialogs.size());
    EXPECT_EQ(L"C:\\bootmanager.sb", frontEnd.dialogs[0]->controls[kVrDetailsRows[0].path].text);
    EXPECT_EQ(L"C:\\resource.bin", frontEnd.dialogs[0]->controls[kVrDetailsRows[3].path].text);
}

}  // namespace
