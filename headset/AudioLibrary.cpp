#include "headset/AudioLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/DebugLog.h"
#include "platform/UserFolders.h"

namespace orvane {
namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

template <class Func>
Func Bind(void* handle, const char* name) {
    return reinterpret_cast<Func>(::dlsym(handle, name));
}

}  // namespace

std::string AudioLibrary::SdkFolder() {
    if (const char* dir = std::getenv("ORVANE_AUDIO_SDK_DIR"); dir != nullptr && *dir != '\0') return dir;
    const std::string exe = ExecutableFolder();
    if (!exe.empty() && IsFolder(exe + "/SDK")) return exe + "/SDK";  // the build tree
    if (const std::string installed = exe + "/" + ORVANE_AUDIO_SDK_FROM_BIN; !exe.empty() && IsFolder(installed)) {
        return installed;
    }
    return ORVANE_INSTALLED_AUDIO_SDK_DIR;
}

std::string AudioLibrary::LibraryFile(Variant variant) {
    return SdkFolder() + (variant == Variant::kEmulated ? "/emulated" : "/alsa") + "/osConfLib.so";
}

std::shared_ptr<AudioLibrary> AudioLibrary::ForHeadset(bool emulated) {
    return Load(LibraryFile(emulated ? Variant::kEmulated : Variant::kAlsa));
}

std::shared_ptr<AudioLibrary> AudioLibrary::Load(const std::string& file) {
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        DebugLog("audio library " + file + " not loaded: " + (why != nullptr ? why : "unknown error"));
        return nullptr;
    }
    std::shared_ptr<AudioLibrary> library(new AudioLibrary(handle, file));
    if (library->init_ == nullptr || library->getDeviceById_ == nullptr || library->propertyControl_ == nullptr ||
        library->getDeviceCount_ == nullptr || library->createDeviceList_ == nullptr) {
        DebugLog("audio library " + file + " refused: it lacks an export the headset needs");
        return nullptr;
    }
    return library;
}

AudioLibrary::AudioLibrary(void* handle, std::string file)
    : handle_(handle),
      file_(std::move(file)),
      init_(Bind<ConfLibInitFunc>(handle, "ConfLibInit")),
      getDeviceById_(Bind<GetDeviceByIdFunc>(handle, "GetDeviceById")),
      propertyControl_(Bind<PropertyControlFunc>(handle, "PropertyControl")),
      getDeviceCount_(Bind<GetDeviceCountFunc>(handle, "GetDeviceCount")),
      createDeviceList_(Bind<CreateDeviceListFunc>(handle, "CreateDeviceList")) {}

AudioLibrary::~AudioLibrary() { ::dlclose(handle_); }

int32_t AudioLibrary::GetDeviceById(uint32_t flow, uint32_t index, EndpointRecord& record) const {
    OsConfEndpoint raw{};
    const int32_t result = getDeviceById_(flow, index, &raw);
    std::memcpy(record.data(), raw.words, sizeof raw.words);
    return result;
}

int32_t AudioLibrary::PropertyControl(const EndpointRecord& endpoint, const wchar_t* property, void** value,
                                      void** extra, bool write) const {
    OsConfEndpoint raw{};
    std::memcpy(raw.words, endpoint.data(), sizeof raw.words);
    return propertyControl_(raw, property, value, extra, write ? kOsConfWrite : kOsConfRead);
}

void* AudioLibrary::Export(const char* name) const { return ::dlsym(handle_, name); }

}  // namespace orvane
