// A dialog logic for the window tests: it remembers what its window told it
// and lets a test act on the surface at initialisation and on commands.
#pragma once

#include <functional>
#include <vector>

#include "updater/app/VrDialogSurface.h"

class ProbeDialog : public VrDialog {
public:
    explicit ProbeDialog(int templateId) : m_templateId(templateId) {}

    int TemplateId() const override { return m_templateId; }
    void OnInit(VrDialogSurface& surface) override {
        this->surface = &surface;
        window = surface.Handle();
        if (onInit) onInit(surface);
    }
    void OnCommand(int id) override {
        commands.push_back(id);
        if (onCommand) onCommand(*surface, id);
    }
    bool OnSysCommand(int id) override {
        sysCommands.push_back(id);
        return id >= 16 && id <= 31;
    }
    void OnDestroy() override { ++destroyed; }

    std::function<void(VrDialogSurface&)> onInit;
    std::function<void(VrDialogSurface&, int id)> onCommand;

    VrDialogSurface* surface = nullptr;
    HWND window = nullptr;
    std::vector<int> commands;
    std::vector<int> sysCommands;
    int destroyed = 0;

private:
    int m_templateId;
};
