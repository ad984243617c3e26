// The crash test's writer: rewrites TARGET for ever with IMAGE-A and IMAGE-B in turn, releasing SEMAPHORE-NAME after
// each rewrite. Usage: file-store-writer TARGET IMAGE-A IMAGE-B SEMAPHORE-NAME
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    vantelmoor::win32::Win32FileStore store;
    const std::optional<std::string> images[] = {store.read_all(argv[2], 1 << 24).bytes,
                                                 store.read_all(argv[3], 1 << 24).bytes};
    const vantelmoor::win32::KernelHandle done(OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, argv[4]));
    if (!images[0] || !images[1] || !done) return 2;
    for (;;) {
        for (const auto& image : images) {
            if (store.replace(argv[1], *image)) return 1;
            ReleaseSemaphore(done.get(), 1, nullptr);
        }
    }
}
