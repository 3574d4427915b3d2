#pragma once
// UTF-8 <-> wide conversions and type-name demangling used for messages.
#include "host/orx2hostexport.h"

#include <string>
#include <string_view>
#include <typeinfo>

/// Decodes UTF-8 into a wide string; invalid sequences become U+FFFD. Never throws on bad input.
ORX2_HOST_EXPORT std::wstring JbWidenUtf8(std::string_view text);
/// Encodes a wide string as UTF-8 (UTF-32 on this platform; lone surrogates and values beyond U+10FFFF
/// become U+FFFD).
ORX2_HOST_EXPORT std::string JbNarrowUtf8(std::wstring_view text);
/// The readable name of a type as run-time type information gives it ("bool", "CStringW",
/// "std::vector<int, std::allocator<int> >").
ORX2_HOST_EXPORT std::string JbDemangle(std::type_info const& type);
