// The definition file of the silent-run tests and the launcher benchmarks: English and Japanese,
// each with its own package beside the launcher, "pkg_en.exe" and "pkg_ja.exe".
#pragma once

namespace testing_support {

inline constexpr char kTwoLanguageDefinition[] = R"(<?xml version="1.0" encoding="utf-8"?>
<language>
  <lang code="en" lcid="0409" langid="9" font="DejaVu Sans" size="9" en="English">
    <item name="title" value="Pagrion Viewer Setup"/>
    <item name="file" value="pkg_en.exe"/>
  </lang>
  <lang code="ja" lcid="0411" langid="11" font="IPAGothic" size="9" en="Japanese">
    <item name="title" value="Pagrion Viewer セットアップ"/>
    <item name="file" value="pkg_ja.exe"/>
  </lang>
</language>
)";

} // namespace testing_support
