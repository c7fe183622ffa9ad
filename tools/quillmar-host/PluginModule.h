#pragma once

#include "plugin/VstAbi.h"

#include <filesystem>

namespace korvel::host {

// A plug-in's shared library, loaded with its VST 2.4 entry found; it stays mapped until the process ends.
class PluginModule {
public:
    using EntryFunction = AEffect* (*)(audioMasterCallback audioMaster);

    // Throws HostError for a missing file, a folder, a file that does not load, or one without an entry.
    explicit PluginModule(const std::filesystem::path& path);
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule();

    EntryFunction entry() const { return entryFunction; }
    const std::filesystem::path& path() const { return modulePath; }

private:
    std::filesystem::path modulePath;
    void* handle = nullptr;
    EntryFunction entryFunction = nullptr;
};

}  // namespace korvel::host
