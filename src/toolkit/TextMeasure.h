// Text measurement in a device context or in a font.
#pragma once

#include <windows.h>

#include <string>

// The size of one line of text in the font selected into dc.
SIZE TextExtent(HDC dc, const std::wstring& text);

// The size of one line of text in font (the system font when font is null).
SIZE TextExtent(HFONT font, const std::wstring& text);

// The size that text needs when shown unwrapped, line breaks kept and "&" shown as it is.
SIZE TextBlockExtent(HFONT font, const std::wstring& text);

// The size that text needs when DrawTextW draws it in font with format (DT_CALCRECT is added);
// with DT_WORDBREAK its lines break between words at width. A word wider than width widens the
// result.
SIZE DrawnTextExtent(HFONT font, const std::wstring& text, UINT format, int width = 0);
