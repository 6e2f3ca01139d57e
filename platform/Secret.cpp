#include "platform/Secret.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
void zero(void* data, std::size_t size) {
    // Not to be left out as a store nobody reads afterwards.
    explicit_bzero(data, size);
}
} // namespace

Secret::Secret(const QByteArray& bytes)
    : bytes_(std::make_unique<char[]>(static_cast<std::size_t>(bytes.size()) + 1)),
      size_(static_cast<std::size_t>(bytes.size()) + 1) {
    // Where locking is refused the password is kept all the same; it is still zeroed at the end.
    mlock(bytes_.get(), size_);
    std::copy(bytes.begin(), bytes.end(), bytes_.get());
}

Secret::~Secret() {
    release();
}

Secret::Secret(Secret&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)) {}

Secret& Secret::operator=(Secret&& other) noexcept {
    if (this != &other) {
        release();
        bytes_ = std::move(other.bytes_);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void Secret::release() {
    if (!bytes_)
        return;
    zero(bytes_.get(), size_);
    munlock(bytes_.get(), size_);
    bytes_.reset();
    size_ = 0;
}

void wipe(QByteArray& bytes) {
    if (!bytes.isDetached()) {
        bytes.clear();
        return;
    }
    zero(bytes.data(), static_cast<std::size_t>(bytes.size()));
    bytes.clear();
}

void wipe(QString& text) {
    if (!text.isDetached()) {
        text.clear();
        return;
    }
    zero(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
    text.clear();
}
