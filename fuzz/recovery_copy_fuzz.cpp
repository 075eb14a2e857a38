// Any bytes as a recovery copy: the reader stays inside the data, and whatever it
// accepts is a consistent document that is written and read back unchanged.
#include "core/recovery_copy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zav::RecoveryReadResult read = zav::readRecoveryCopy(bytes);
    if (!read.copy) return 0;
    const zav::DocumentState& state = read.copy->document;
    for (const auto& language : state.languages)
        if (!language.texts || static_cast<int>(language.texts->size()) != state.rowCount()) std::abort();
    const zav::RecoveryReadResult again = zav::readRecoveryCopy(zav::recoveryCopyBytes(*read.copy));
    if (!again.copy || !zav::sameRecoveryContent(*read.copy, *again.copy)) std::abort();
    return 0;
}
