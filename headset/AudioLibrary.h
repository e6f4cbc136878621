#pragma once
// AudioLibrary: the headset's audio configuration library, loaded with dlopen and bound by
// export name. Two builds of it sit below the SDK folder: "alsa" for a real headset and
// "emulated" (every property in memory) for the emulated one. A library that cannot be loaded,
// or lacks one of the exports the program calls, is refused: the audio functions are then
// unavailable.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "headset/osConfLib.h"

namespace orvane {

using EndpointRecord = std::array<uint32_t, 4>;

class AudioLibrary {
public:
    enum class Variant { kAlsa, kEmulated };

    // The SDK folder: $ORVANE_AUDIO_SDK_DIR, else "SDK" beside the program when it exists (the
    // build tree), else "<libdir>/orvane-q730/SDK" of the prefix the program is installed in.
    static std::string SdkFolder();
    // "<SDK folder>/<alsa|emulated>/osConfLib.so".
    static std::string LibraryFile(Variant variant);
    // The emulated library for the emulated headset, else the ALSA one; null when it cannot be used.
    static std::shared_ptr<AudioLibrary> ForHeadset(bool emulated);
    // Null, after one debug line, when `file` does not load or lacks a called export.
    static std::shared_ptr<AudioLibrary> Load(const std::string& file);

    ~AudioLibrary();
    AudioLibrary(const AudioLibrary&) = delete;
    AudioLibrary& operator=(const AudioLibrary&) = delete;

    int32_t ConfLibInit() const { return init_(); }
    int32_t CreateDeviceList() const { return createDeviceList_(); }
    int32_t GetDeviceCount(uint32_t flow, uint32_t& count) const { return getDeviceCount_(flow, &count); }
    int32_t GetDeviceById(uint32_t flow, uint32_t index, EndpointRecord& record) const;
    int32_t PropertyControl(const EndpointRecord& endpoint, const wchar_t* property, void** value, void** extra,
                            bool write) const;
    // Any other export of the library (nullptr when absent), e.g. a test hook of the emulated one.
    void* Export(const char* name) const;
    const std::string& File() const { return file_; }

private:
    AudioLibrary(void* handle, std::string file);

    void* handle_;
    std::string file_;
    ConfLibInitFunc init_ = nullptr;
    GetDeviceByIdFunc getDeviceById_ = nullptr;
    PropertyControlFunc propertyControl_ = nullptr;
    GetDeviceCountFunc getDeviceCount_ = nullptr;
    CreateDeviceListFunc createDeviceList_ = nullptr;
};

}  // namespace orvane
