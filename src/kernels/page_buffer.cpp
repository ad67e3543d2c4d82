#include "kernels/page_buffer.h"

#include <utility>

PageBuffer::~PageBuffer() {
    clear();
}

PageBuffer::PageBuffer(PageBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

PageBuffer& PageBuffer::operator=(PageBuffer&& other) noexcept {
    if (this != &other) {
        clear();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

bool PageBuffer::resize(size_t size) {
    if (size <= capacity_) {
        size_ = size;
        return true;
    }
    clear();
    size_t capacity = 0;
    uint8_t* data = allocatePages(size, capacity);
    if (data == nullptr) return false;
    data_ = data;
    size_ = size;
    capacity_ = capacity;
    return true;
}

void PageBuffer::clear() {
    if (data_ != nullptr) releasePages(data_, capacity_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
}
