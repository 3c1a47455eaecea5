#include "tests/download/DownloadTestBed.h"

DownloadTestBed::DownloadTestBed() {
    resource = std::make_unique<CVrLanguageResource>(host, config, updater.GetErrorRecord(), 0x0409);
    config.SetResourceProvider(resource.get());
    updater.SetResource(resource.get());
    updater.SetProgress(&progress);
}
