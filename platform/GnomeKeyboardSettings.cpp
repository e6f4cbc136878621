#include "platform/GnomeKeyboardSettings.h"

#include <gio/gio.h>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

constexpr const char* kIntervalKey = "repeat-interval";
constexpr const char* kDelayKey = "delay";
constexpr const char* kRepeatKey = "repeat";

bool HasKeyOfType(GSettingsSchema* schema, const char* key, const GVariantType* type) {
    if (!g_settings_schema_has_key(schema, key)) return false;
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    const bool matches = g_variant_type_equal(g_settings_schema_key_get_value_type(k), type);
    g_settings_schema_key_unref(k);
    return matches;
}

// Writes reach dconf asynchronously; waiting keeps a value from being lost when the program ends.
bool Synced(gboolean stored) {
    g_settings_sync();
    return stored != FALSE;
}

}  // namespace

std::unique_ptr<GnomeKeyboardSettings> GnomeKeyboardSettings::Create(const std::string& schemaDirectory) {
    GSettingsSchemaSource* owned = nullptr;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!schemaDirectory.empty()) {
        GError* error = nullptr;
        owned = g_settings_schema_source_new_from_directory(schemaDirectory.c_str(), nullptr, FALSE, &error);
        if (owned == nullptr) {
            DebugLog(std::string("GnomeKeyboardSettings: ") + (error != nullptr ? error->message : schemaDirectory.c_str()));
            g_clear_error(&error);
        }
        source = owned;
    }
    GSettingsSchema* schema = source != nullptr ? g_settings_schema_source_lookup(source, kGnomeKeyboardSchema, TRUE) : nullptr;
    std::unique_ptr<GnomeKeyboardSettings> result;
    if (schema != nullptr && HasKeyOfType(schema, kIntervalKey, G_VARIANT_TYPE_UINT32) &&
        HasKeyOfType(schema, kDelayKey, G_VARIANT_TYPE_UINT32) && HasKeyOfType(schema, kRepeatKey, G_VARIANT_TYPE_BOOLEAN))
        result.reset(new GnomeKeyboardSettings(g_settings_new_full(schema, nullptr, nullptr)));
    if (schema != nullptr) g_settings_schema_unref(schema);
    if (owned != nullptr) g_settings_schema_source_unref(owned);
    return result;
}

GnomeKeyboardSettings::~GnomeKeyboardSettings() { g_object_unref(keyboard_); }

int GnomeKeyboardSettings::RepeatRate() const {
    return RepeatRateFromIntervalMs(static_cast<int>(g_settings_get_uint(keyboard_, kIntervalKey)));
}

int GnomeKeyboardSettings::RepeatDelay() const {
    return RepeatDelayLevelFromMs(static_cast<int>(g_settings_get_uint(keyboard_, kDelayKey)));
}

bool GnomeKeyboardSettings::SetRepeatRate(int rate) {
    if (rate < 0 || rate > kMaxKeyRepeatRate) return false;
    const bool interval = g_settings_set_uint(keyboard_, kIntervalKey, static_cast<guint>(RepeatIntervalMsFromRate(rate)));
    return Synced(interval && g_settings_set_boolean(keyboard_, kRepeatKey, TRUE));
}

bool GnomeKeyboardSettings::SetRepeatDelay(int level) {
    if (level < 0 || level > kMaxKeyRepeatDelay) return false;
    return Synced(g_settings_set_uint(keyboard_, kDelayKey, static_cast<guint>(RepeatDelayMsFromLevel(level))));
}

}  // namespace orvane
