#include "platform/GnomeMouseSettings.h"

#include <gio/gio.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

constexpr const char* kSpeedKey = "speed";
constexpr const char* kAccelProfileKey = "accel-profile";
constexpr const char* kDoubleClickKey = "double-click";
constexpr const char* kFlatProfile = "flat";
constexpr const char* kAdaptiveProfile = "adaptive";
constexpr int kDefaultSpeed = 10;

bool HasKeyOfType(GSettingsSchema* schema, const char* key, const GVariantType* type) {
    if (!g_settings_schema_has_key(schema, key)) return false;
    GSettingsSchemaKey* k = g_settings_schema_get_key(schema, key);
    const bool matches = g_variant_type_equal(g_settings_schema_key_get_value_type(k), type);
    g_settings_schema_key_unref(k);
    return matches;
}

// Enumerated keys hold strings.
bool IsMouseSchema(GSettingsSchema* schema) {
    return HasKeyOfType(schema, kSpeedKey, G_VARIANT_TYPE_DOUBLE) &&
           HasKeyOfType(schema, kAccelProfileKey, G_VARIANT_TYPE_STRING);
}

// Writes reach dconf asynchronously; waiting keeps a value from being lost when the program ends.
bool Synced(gboolean stored) {
    g_settings_sync();
    return stored != FALSE;
}

}  // namespace

double GnomeSpeedFromPointerSpeed(int speed) {
    const int v = std::clamp(speed, 1, 20);
    return v <= kDefaultSpeed ? (v - kDefaultSpeed) / 9.0 : (v - kDefaultSpeed) / 10.0;
}

int PointerSpeedFromGnomeSpeed(double speed) {
    if (!std::isfinite(speed)) return kDefaultSpeed;
    const double d = std::clamp(speed, -1.0, 1.0);
    const long v = std::lround(kDefaultSpeed + (d <= 0 ? 9.0 : 10.0) * d);
    return std::clamp(static_cast<int>(v), 1, 20);
}

std::unique_ptr<GnomeMouseSettings> GnomeMouseSettings::Create(std::unique_ptr<SystemMouseSettings> fallback,
                                                               const std::string& schemaDirectory) {
    GSettingsSchemaSource* owned = nullptr;
    GSettingsSchemaSource* source = nullptr;
    if (schemaDirectory.empty()) {
        source = g_settings_schema_source_get_default();
    } else {
        GError* error = nullptr;
        owned = g_settings_schema_source_new_from_directory(schemaDirectory.c_str(), nullptr, FALSE, &error);
        if (owned == nullptr) {
            DebugLog(std::string("GnomeMouseSettings: ") + (error != nullptr ? error->message : schemaDirectory.c_str()));
            g_clear_error(&error);
        }
        source = owned;
    }
    GSettingsSchema* mouse = source != nullptr ? g_settings_schema_source_lookup(source, kGnomeMouseSchema, TRUE) : nullptr;
    std::unique_ptr<GnomeMouseSettings> result;
    if (mouse != nullptr && IsMouseSchema(mouse)) {
        GSettings* mouseSettings = g_settings_new_full(mouse, nullptr, nullptr);
        GSettings* doubleClick = nullptr;
        std::string doubleClickSchema;
        if (HasKeyOfType(mouse, kDoubleClickKey, G_VARIANT_TYPE_INT32)) {
            doubleClick = G_SETTINGS(g_object_ref(mouseSettings));
            doubleClickSchema = kGnomeMouseSchema;
        } else if (GSettingsSchema* daemon = g_settings_schema_source_lookup(source, kGnomeDaemonMouseSchema, TRUE)) {
            if (HasKeyOfType(daemon, kDoubleClickKey, G_VARIANT_TYPE_INT32)) {
                doubleClick = g_settings_new_full(daemon, nullptr, nullptr);
                doubleClickSchema = kGnomeDaemonMouseSchema;
            }
            g_settings_schema_unref(daemon);
        }
        result.reset(new GnomeMouseSettings(mouseSettings, doubleClick, std::move(doubleClickSchema), std::move(fallback)));
    }
    if (mouse != nullptr) g_settings_schema_unref(mouse);
    if (owned != nullptr) g_settings_schema_source_unref(owned);
    return result;
}

GnomeMouseSettings::GnomeMouseSettings(GSettings* mouse, GSettings* doubleClick, std::string doubleClickSchema,
                                       std::unique_ptr<SystemMouseSettings> fallback)
    : mouse_(mouse),
      doubleClick_(doubleClick),
      doubleClickSchema_(std::move(doubleClickSchema)),
      fallback_(std::move(fallback)) {}

GnomeMouseSettings::~GnomeMouseSettings() {
    if (doubleClick_ != nullptr) g_object_unref(doubleClick_);
    g_object_unref(mouse_);
}

int GnomeMouseSettings::PointerSpeed() const { return PointerSpeedFromGnomeSpeed(g_settings_get_double(mouse_, kSpeedKey)); }

bool GnomeMouseSettings::PointerPrecision() const {
    gchar* profile = g_settings_get_string(mouse_, kAccelProfileKey);
    const bool on = std::strcmp(profile, kFlatProfile) != 0;
    g_free(profile);
    return on;
}

int GnomeMouseSettings::WheelScrollLines() const { return fallback_->WheelScrollLines(); }

int GnomeMouseSettings::DoubleClickTime() const {
    if (doubleClick_ == nullptr) return fallback_->DoubleClickTime();
    return g_settings_get_int(doubleClick_, kDoubleClickKey);
}

bool GnomeMouseSettings::SetPointerSpeed(int speed) {
    if (speed < 1 || speed > 20) return false;
    return Synced(g_settings_set_double(mouse_, kSpeedKey, GnomeSpeedFromPointerSpeed(speed)));
}

bool GnomeMouseSettings::SetPointerPrecision(bool on) {
    // 'default' and 'adaptive' both accelerate; only a flat profile needs changing to switch on.
    if (on && PointerPrecision()) return true;
    return Synced(g_settings_set_string(mouse_, kAccelProfileKey, on ? kAdaptiveProfile : kFlatProfile));
}

bool GnomeMouseSettings::SetWheelScrollLines(int lines) { return fallback_->SetWheelScrollLines(lines); }

bool GnomeMouseSettings::SetDoubleClickTime(int milliseconds) {
    if (doubleClick_ == nullptr) return fallback_->SetDoubleClickTime(milliseconds);
    if (milliseconds < FileSystemMouseSettings::kMinDoubleClickTime ||
        milliseconds > FileSystemMouseSettings::kMaxDoubleClickTime)
        return false;
    return Synced(g_settings_set_int(doubleClick_, kDoubleClickKey, milliseconds));
}

}  // namespace orvane
