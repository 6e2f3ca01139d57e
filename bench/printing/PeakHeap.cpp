// The C allocator, wrapped so that the heap's high-water mark can be read: Qt and the C++ runtime allocate
// through it, so the peak covers everything a job makes.
#include "PeakHeap.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {
std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> highWater{0};

void* counted(void* p) {
    if (p) {
        const std::size_t now = inUse += malloc_usable_size(p);
        std::size_t seen = highWater.load();
        while (now > seen && !highWater.compare_exchange_weak(seen, now)) {
        }
    }
    return p;
}

void uncount(void* p) {
    if (p)
        inUse -= malloc_usable_size(p);
}
} // namespace

extern "C" {
void* malloc(std::size_t n) {
    return counted(__libc_malloc(n));
}
void* calloc(std::size_t n, std::size_t size) {
    return counted(__libc_calloc(n, size));
}
void free(void* p) {
    uncount(p);
    __libc_free(p);
}
void* realloc(void* p, std::size_t n) {
    const std::size_t before = p ? malloc_usable_size(p) : 0;
    void* q = __libc_realloc(p, n);
    if (q || n == 0) {
        inUse -= before;
        counted(q);
    }
    return q;
}
void* memalign(std::size_t alignment, std::size_t n) {
    return counted(__libc_memalign(alignment, n));
}
void* aligned_alloc(std::size_t alignment, std::size_t n) {
    return memalign(alignment, n);
}
void* valloc(std::size_t n) {
    return memalign(4096, n);
}
void* pvalloc(std::size_t n) {
    return memalign(4096, (n + 4095) & ~std::size_t{4095});
}
int posix_memalign(void** out, std::size_t alignment, std::size_t n) {
    void* p = memalign(alignment, n);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
}

namespace PeakHeap {
std::size_t current() {
    return inUse.load();
}
void reset() {
    highWater.store(inUse.load());
}
std::size_t peak() {
    return highWater.load();
}
} // namespace PeakHeap

namespace {
long statusKiB(const char* field) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, n) == 0)
            value = std::atol(line + n);
    std::fclose(f);
    return value;
}
} // namespace

namespace PeakHeap {
long residentKiB() {
    return statusKiB("VmRSS:");
}
long residentPeakKiB() {
    return statusKiB("VmHWM:");
}
void resetResident() {
    // Writing 5 restarts the kernel's high-water mark of resident memory from what is resident now.
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}
} // namespace PeakHeap
