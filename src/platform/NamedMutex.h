// Named mutexes that programs hold to say that they run: the setup's own and the converter's.
#pragma once

// True when a mutex of this name exists, also when it refuses this process every access (its
// holder runs with more rights). Takes nothing: the handle is closed at once.
bool NamedMutexExists(const wchar_t* name) noexcept;
