#pragma once

// Loads a VST3 module the way a Windows host does: LoadLibrary, InitDll, GetPluginFactory; and
// unloads it in the reverse order: release the factory, ExitDll, FreeLibrary.

#include "WinePaths.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <string>

class Vst3Module
{
public:
    explicit Vst3Module(const std::wstring& path) : handle(LoadLibraryW(path.c_str()))
    {
        if (handle == nullptr)
            return;

        initDll = entry<bool (*)()>("InitDll");
        exitDll = entry<bool (*)()>("ExitDll");
        getPluginFactory = entry<Steinberg::IPluginFactory*(PLUGIN_API*) ()>("GetPluginFactory");

        initialised = initDll != nullptr && initDll();
        if (initialised && getPluginFactory != nullptr)
            factory = getPluginFactory();
    }

    ~Vst3Module() { unload(); }

    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    bool isLoaded() const { return handle != nullptr; }
    bool hasEntryPoints() const { return initDll != nullptr && exitDll != nullptr && getPluginFactory != nullptr; }
    bool isInitialised() const { return initialised; }
    Steinberg::IPluginFactory* getFactory() const { return factory; }

    // Releases the factory, calls ExitDll and unloads the module; true when ExitDll succeeded.
    bool unload()
    {
        if (factory != nullptr)
            factory->release();
        factory = nullptr;

        bool exited = false;
        if (initialised && exitDll != nullptr)
            exited = exitDll();
        initialised = false;

        if (handle != nullptr)
            FreeLibrary(handle);
        handle = nullptr;
        return exited;
    }

private:
    template <typename Function>
    Function entry(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
    }

    HMODULE handle = nullptr;
    bool (*initDll)() = nullptr;
    bool (*exitDll)() = nullptr;
    Steinberg::IPluginFactory*(PLUGIN_API* getPluginFactory)() = nullptr;
    Steinberg::IPluginFactory* factory = nullptr;
    bool initialised = false;
};
