#include "platform/Secret.h"

#include <QStringEncoder>

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

Secret Secret::fromText(QStringView text) {
    Secret secret;
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    char* start = secret.extend(static_cast<std::size_t>(toUtf8.requiredSpace(text.size())));
    char* end = toUtf8.appendToBuffer(start, text);
    // Only what was written counts; the rest of the room stays zero.
    secret.size_ = static_cast<std::size_t>(end - secret.bytes_.get());
    return secret;
}

Secret::~Secret() {
    release();
}

Secret::Secret(Secret&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

Secret& Secret::operator=(Secret&& other) noexcept {
    if (this != &other) {
        release();
        bytes_ = std::move(other.bytes_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void Secret::reserve(std::size_t capacity) {
    if (capacity <= capacity_)
        return;
    capacity = std::max({capacity, 2 * capacity_, std::size_t{64}});
    auto bytes = std::make_unique<char[]>(capacity);
    // Where locking is refused the password is kept all the same; it is still zeroed at the end.
    mlock(bytes.get(), capacity);
    const std::size_t size = size_;
    if (bytes_)
        std::memcpy(bytes.get(), bytes_.get(), size);
    release();
    bytes_ = std::move(bytes);
    size_ = size;
    capacity_ = capacity;
}

char* Secret::extend(std::size_t size) {
    reserve(size_ + size + 1);
    return bytes_.get() + size_;
}

void Secret::append(const char* bytes, std::size_t size) {
    std::memcpy(extend(size), bytes, size);
    size_ += size;
}

void Secret::release() {
    if (!bytes_)
        return;
    zero(bytes_.get(), capacity_);
    munlock(bytes_.get(), capacity_);
    bytes_.reset();
    size_ = 0;
    capacity_ = 0;
}

void wipe(QString& text) {
    if (!text.isDetached()) {
        text.clear();
        return;
    }
    zero(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
    text.clear();
}
