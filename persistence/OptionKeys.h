// The keys of the settings file, their readers' defaults, and the defaults
// written by LoadOptions.
#pragma once

#include <cstdint>

namespace qm::keys {

inline constexpr const char* Skin = "Skin";
inline constexpr const char* DisableSkins = "DisableSkins";
inline constexpr const char* ExtendedBorders = "ExtendedBorders";
inline constexpr const char* ShowHints = "Show Hints";
inline constexpr const char* SkipLargeFiles = "SkipLargeFiles";
inline constexpr const char* MaxFileSize = "MaxFileSize";
inline constexpr const char* CheckScope = "CheckScope";
inline constexpr const char* IgnoreUppercase = "IgnoreUppercase";
inline constexpr const char* IgnoreMixedcase = "IgnoreMixedcase";
inline constexpr const char* IgnoreNumbers = "IgnoreNumbers";
inline constexpr const char* WordWrap = "WordWrap";
inline constexpr const char* FormLayout = "FormLayout";
inline constexpr const char* UseProxy = "UseProxy";
inline constexpr const char* ProxyHost = "ProxyHost";
inline constexpr const char* ProxyPort = "ProxyPort";
inline constexpr const char* ProxyUser = "ProxyUser";
inline constexpr const char* ProxyPass = "ProxyPass";
inline constexpr const char* SaveSenderInfo = "SaveSenderInfo";
inline constexpr const char* SenderName = "SenderName";
inline constexpr const char* SenderEmail = "SenderEmail";

// Readers' defaults for the integer keys.
inline constexpr int32_t DefaultMaxFileSize = 1024;  // kilobytes
inline constexpr int32_t DefaultProxyPort = 3128;

inline constexpr const char* DefaultSkin = "Office2007 Blue (internal)";

} // namespace qm::keys
