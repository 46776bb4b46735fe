// The outbox entry's reader on any bytes: an entry it takes is written again as the same
// entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/outbox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OutboxEntry entry, again;
    std::string error;
    if (!parseOutboxText(std::string(reinterpret_cast<const char*>(data), size), &entry, &error)) return 0;
    if (!parseOutboxText(outboxEntryText(entry), &again, &error)) std::abort();
    if (again.courseHash != entry.courseHash || again.courseFile != entry.courseFile ||
        again.courseName != entry.courseName || again.demo != entry.demo)
        std::abort();
    return 0;
}
