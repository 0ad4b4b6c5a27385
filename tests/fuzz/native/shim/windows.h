// The few Win32 names that the catalogue's headers and sources use, for the native build of the
// reader only: the types and constants they name, and the locale query that the native build
// answers itself (NativeLanguagePlatform.cpp). The launcher includes the real header.
#pragma once

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using LCID = DWORD;
using LPARAM = std::intptr_t;

#define CALLBACK
#define LCID_INSTALLED 0x00000001
#define DEFAULT_CHARSET 1
#define RASTER_FONTTYPE 0x0001
#define DEVICE_FONTTYPE 0x0002
#define TRUETYPE_FONTTYPE 0x0004

// Named only by reference or pointer in the font unit's header.
struct tagLOGFONTW;
struct tagTEXTMETRICW;
using LOGFONTW = tagLOGFONTW;
using TEXTMETRICW = tagTEXTMETRICW;

BOOL IsValidLocale(LCID locale, DWORD flags);
