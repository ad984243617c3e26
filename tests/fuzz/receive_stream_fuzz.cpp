// Arbitrary bytes from the port into the receive stream, with the whole program behind it
// (parser, screening, ERROR fallback, session on a virtual clock): no crash, no undefined
// behaviour, and the activity log never grows past its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/program_rig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantelmoor::test::ProgramRig rig;
    rig.listen();
    // Deliver in uneven pieces, as a real port does.
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t piece = 1 + data[pos] % 64;
        rig.port.arrive(std::string(reinterpret_cast<const char*>(data + pos), std::min(piece, size - pos)));
        pos += piece;
        if (rig.log.text().size() > vantelmoor::ActivityLog::kLimit) std::abort();
    }
    rig.after(60);
    return 0;
}
