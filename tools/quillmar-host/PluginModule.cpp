#include "PluginModule.h"

#include "HostError.h"

#include <dlfcn.h>

namespace korvel::host {

PluginModule::PluginModule(const std::filesystem::path& path) : modulePath(path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw HostError("the plug-in " + path.string() + " is a folder, not a plug-in file (.so)");
    if (!std::filesystem::is_regular_file(path, error))
        throw HostError("no such plug-in file: " + path.string());
    // dlopen searches the library path for a bare file name; the user meant this file.
    const std::string absolute = std::filesystem::absolute(path).string();
    // Never unmapped, as most hosts do: the libraries a plug-in pulls in (cairo, fontconfig, X11) keep
    // process-wide caches that unmapping would orphan, and a leak checker would report them.
    handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = dlerror();
        throw HostError("not a plug-in: cannot load " + path.string() + ": " + (reason ? reason : "unknown error"));
    }
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (symbol == nullptr) symbol = dlsym(handle, "main");  // the entry's name in older Linux plug-ins
    if (symbol == nullptr) {
        dlclose(handle);
        throw HostError("no VST entry point (VSTPluginMain or main) in " + path.string());
    }
    entryFunction = reinterpret_cast<EntryFunction>(symbol);
}

PluginModule::~PluginModule() { dlclose(handle); }

}  // namespace korvel::host
