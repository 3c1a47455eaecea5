#include "tests/download/DownloadTestBed.h"

DownloadTestBed::DownloadTestBed(SimWindows windows) : SimulatedPc({"vrxa0409.dll"}, windows) {
    resource = std::make_unique<CVrLanguageResource>(host, config, updater.GetErrorRecord(), 0x0409);
    config.SetResourceProvider(resource.get());
    updater.SetResource(resource.get());
    updater.SetProgress(&progress);
}
