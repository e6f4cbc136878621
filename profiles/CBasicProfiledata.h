#pragma once
// The profile document of one device page: the JSON of the selected profile's "Device"[index]
// in memory, its sections as records, and the profile files on disk. Used directly by the
// mouse pad page and as the base of the mouse, keyboard and headset documents.
//
// Only LoadProfile, SaveProfile, SaveProfileTo, WriteProfileFile, LoadLightConfig and
// GetLedEffectList touch files; every other operation works on the in-memory document, and no
// setter saves: callers follow a change with SaveProfile.

#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/JsonFileStore.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

class CBasicProfiledata {
public:
    // The document object is "Device"[index]; this system only ever uses 0.
    static constexpr int kMaxDeviceIndex = 15;

    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = default;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = default;

    void SetProfilePath(const std::string& path);  // empty ignored
    const std::string& GetProfilePath() const { return profilePath_; }
    void SetDefaultProfilePath(const std::string& path);  // empty ignored
    const std::string& GetDefaultProfilePath() const { return defaultProfilePath_; }
    void SetLightConfigPath(const std::string& path) { lightConfigPath_ = path; }
    const std::string& GetLightConfigPath() const { return lightConfigPath_; }
    void SetDeviceIndex(int index);  // outside 0..kMaxDeviceIndex ignored
    int GetDeviceIndex() const { return deviceIndex_; }

    // Makes the profile at `path` the document and returns a copy of it. A missing or unusable
    // profile is replaced by the default profile's document and written to `path`; a file that
    // had content but was not a JSON object is first kept as `path`.broken-<time stamp>.
    Json::Value LoadProfile(const std::string& path);

    // SaveProfileTo(document, profile path). Results are those of wirtejsonFile: 0 written.
    virtual int SaveProfile();
    // Puts `value` into the file's "Device"[index], keeping its other members ("profilename",
    // "profileUUID").
    virtual int SaveProfileTo(const Json::Value& value, const std::string& path);
    // Writes `value` as the whole file.
    virtual int WriteProfileFile(const Json::Value& value, const std::string& path);

    // Reads a light configuration ("vexal_light.config"); its folder is where GetLedEffectList
    // looks for the ".light" files it names. Returns a copy.
    Json::Value LoadLightConfig(const std::string& path);

    // "LightInfo"; all zero when absent, else Red, Green and Blue read as 255. Becomes the
    // current record.
    LightInfoRecord GetLightInfo();
    // The current record takes the words; "LightInfo" is rewritten from them.
    void SetLightInfo(uint32_t a, uint32_t b, uint32_t c);
    const LightInfoRecord& CurrentLightInfo() const { return lightInfo_; }

    std::vector<LightListEntry> GetLightList();
    // Steps of the user light effect that the current record's mode ("SelectItem") picks in the light
    // configuration; empty when there is none.
    std::vector<LedEffectEntry> GetLedEffectList();
    // Steps of user light effect `entry` of light group `group` in the light configuration.
    std::vector<LedEffectEntry> GetLedEffectList(int group, int entry);

    // "KeyList"; replaces the cached list even when empty.
    std::vector<KeyListEntry> GetKeyList();
    // Caches `keys` and writes "Assignment" of entries 0..n-1; "DefaultAssignment" and
    // elements beyond n are left alone.
    void SetKeyList(const std::vector<KeyListEntry>& keys);
    const std::vector<KeyListEntry>& CachedKeyList() const { return keyList_; }

    // The in-memory document (null before a profile is loaded or when none could be).
    const Json::Value& Document() const { return document_; }
    const Json::Value& LightConfig() const { return lightConfig_; }

protected:
    Json::Value& MutableDocument() { return document_; }
    // A section of the document; null when absent or when the document is not an object.
    const Json::Value& Section(const char* name) const;
    Json::ArrayIndex Index() const { return static_cast<Json::ArrayIndex>(deviceIndex_); }

    JsonFileStore store_;

private:
    // The file's root object, or null when it has none. A file whose content would be lost by
    // rewriting it is renamed aside first; false when that failed (then nothing may be written).
    bool ReadProfileRoot(const std::string& path, Json::Value& root) const;

    std::string profilePath_;
    std::string defaultProfilePath_;
    std::string lightConfigPath_;
    std::string lightConfigFolder_;
    Json::Value document_;
    Json::Value lightConfig_;
    int deviceIndex_ = 0;
    LightInfoRecord lightInfo_;
    std::vector<LightListEntry> lightList_;
    std::vector<LedEffectEntry> ledEffects_;
    std::vector<KeyListEntry> keyList_;
};

}  // namespace orvane
