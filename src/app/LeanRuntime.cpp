// Two pieces of the C++ runtime that the launcher replaces with smaller ones of its own; they
// make up about half of what the runtime would add to the program. Linked into the launcher
// only: the library and its tests use the standard pieces. Should the runtime need the standard
// versions for another reason, the link fails with a duplicate definition instead of the
// program silently growing again.
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

namespace {

// Raised where the standard library's own checks fail: a string or vector that would grow past
// its largest size, a position past an end, a string made from a null pointer. The launcher
// handles errors with catch (...) and never asks an error for its type or text.
class TZelLibraryCheckFailed final : public std::exception {
public:
    const char* what() const noexcept override { return "library check failed"; }
};

} // namespace

// The standard terminate handler writes the unexpected exception's type to the standard error
// stream, with the whole name demangler (about 50 KB). A GUI program has no such stream; the
// end is the same abort.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

// The standard library raises its errors through these functions. The standard ones construct
// std::length_error, std::out_of_range and their relatives, whose texts are copy-on-write strings
// of the older string ABI: with them come that whole string class and the other exception classes
// (about 90 KB). Running out of memory still raises std::bad_alloc.
namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_length_error(const char*) {
    throw TZelLibraryCheckFailed();
}
void __throw_logic_error(const char*) {
    throw TZelLibraryCheckFailed();
}
void __throw_out_of_range_fmt(const char*, ...) {
    throw TZelLibraryCheckFailed();
}
} // namespace std
