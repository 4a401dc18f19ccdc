// The bits of a value read as another type of the same size, as std::bit_cast does; the C++
// library of Debian's WebAssembly toolchain lacks std::bit_cast, so this uses the compilers'
// builtin it is made of (GCC, clang and MSVC have it).
#pragma once

#include <type_traits>

namespace quorbit1 {

template <class To, class From>
constexpr To BitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
    return __builtin_bit_cast(To, from);
}

}  // namespace quorbit1
